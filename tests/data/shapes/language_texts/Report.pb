; Report window: texts for the user, and texts that are not.

Enumeration
  #Window_Report
EndEnumeration

Enumeration
  #Date_From
  #Combo_Kind
  #ListIcon_Rows
  #Button_Run
  #Button_Export
EndEnumeration

Enumeration
  #Font_Header
EndEnumeration

#DateMask$ = "%yyyy-%mm-%dd"

LoadFont(#Font_Header, "Arial", 11, #PB_Font_Bold)

Procedure.s RowQuery(kind.s = "all", limit = 100)
  Protected sql.s = "SELECT name, amount FROM rows"
  If kind <> "all"
    sql + " WHERE kind = '" + kind + "'"
  EndIf
  ProcedureReturn sql + " LIMIT " + Str(limit) + ";"
EndProcedure

Procedure ExportRows(file.s = "report.csv", separator.s = ";")
  Protected f = CreateFile(#PB_Any, file)
  If f
    WriteStringN(f, "name" + separator + "amount")
    CloseFile(f)
  Else
    MessageRequester("Export", "Cannot write " + file, #PB_MessageRequester_Error)
  EndIf
EndProcedure

Procedure Open_Window_Report()
  OpenWindow(#Window_Report, 0, 0, 520, 360, "Report", #PB_Window_SystemMenu)
  DateGadget(#Date_From, 10, 10, 140, 25, "%dd.%mm.%yyyy")
  ComboBoxGadget(#Combo_Kind, 160, 10, 140, 25)
  AddGadgetItem(#Combo_Kind, -1, "All")
  AddGadgetItem(#Combo_Kind, -1, "Income")
  ListIconGadget(#ListIcon_Rows, 10, 45, 500, 260, "Name", 300, #PB_ListIcon_FullRowSelect)
  AddGadgetColumn(#ListIcon_Rows, 1, "Amount", 150)
  SetGadgetFont(#ListIcon_Rows, FontID(#Font_Header))
  ButtonGadget(#Button_Run, 310, 320, 95, 30, "Run")
  ButtonGadget(#Button_Export, 415, 320, 95, 30, "Export...")
  GadgetToolTip(#Button_Export, "Save the rows as CSV")
  Debug FormatDate(#DateMask$, Date()) + " " + FormatDate("%hh:%ii", Date())
EndProcedure
