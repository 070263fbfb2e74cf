; Dialogs for the converter

XIncludeFile "Units.pbi"

Enumeration
  #Dlg_Convert
EndEnumeration

Enumeration
  #Cmb_From
  #Cmb_To
  #Str_Value
  #Txt_Result
  #Btn_Convert
  #Btn_Close
EndEnumeration

Global Result.d

Procedure.d Convert(value.d, from.i, into.i)
  ProcedureReturn value * UnitFactor(from) / UnitFactor(into)
EndProcedure

Procedure ConverterDialog()
  Protected quit = #False
  If OpenWindow(#Dlg_Convert, 0, 0, 320, 150, "Converter", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    ComboBoxGadget(#Cmb_From, 10, 10, 140, 25)
    ComboBoxGadget(#Cmb_To, 170, 10, 140, 25)
    StringGadget(#Str_Value, 10, 45, 140, 25, "1")
    TextGadget(#Txt_Result, 170, 50, 140, 20, "")
    ButtonGadget(#Btn_Convert, 10, 110, 140, 30, "Convert")
    ButtonGadget(#Btn_Close, 170, 110, 140, 30, "Close")
    Repeat
      Select WaitWindowEvent()
        Case #PB_Event_CloseWindow
          quit = #True
        Case #PB_Event_Gadget
          Select EventGadget()
            Case #Btn_Convert
              Result = Convert(ValD(GetGadgetText(#Str_Value)), GetGadgetState(#Cmb_From), GetGadgetState(#Cmb_To))
              SetGadgetText(#Txt_Result, StrD(Result, 3))
            Case #Btn_Close
              quit = #True
          EndSelect
      EndSelect
    Until quit
    CloseWindow(#Dlg_Convert)
  EndIf
EndProcedure
