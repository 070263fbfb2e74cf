; Tiny notepad -- menu + toolbar share the same item numbers
EnableExplicit

Enumeration
  #Window_Pad
EndEnumeration

Enumeration
  #Menu_Pad
  #ToolBar_Pad
EndEnumeration

Enumeration
  #Item_New
  #Item_Open
  #Item_Save
  #Item_WordWrap
  #Item_Exit
EndEnumeration

Enumeration
  #Editor_Text
EndEnumeration

Global FileName$ = ""

Procedure OpenPad()
  If OpenWindow(#Window_Pad, 0, 0, 500, 400, "Notepad", #PB_Window_SystemMenu|#PB_Window_SizeGadget|#PB_Window_ScreenCentered)
    If CreateMenu(#Menu_Pad, WindowID(#Window_Pad))
      MenuTitle("&File")
        MenuItem(#Item_New, "&New")
        MenuItem(#Item_Open, "&Open...")
        MenuItem(#Item_Save, "&Save")
        MenuBar()
        MenuItem(#Item_Exit, "E&xit")
      MenuTitle("&View")
        MenuItem(#Item_WordWrap, "Word wrap")
    EndIf
    If CreateToolBar(#ToolBar_Pad, WindowID(#Window_Pad))
      ToolBarStandardButton(#Item_New, #PB_ToolBarIcon_New)
      ToolBarStandardButton(#Item_Open, #PB_ToolBarIcon_Open)
      ToolBarStandardButton(#Item_Save, #PB_ToolBarIcon_Save)
      ToolBarToolTip(#ToolBar_Pad, #Item_Save, "Save the text")
    EndIf
    EditorGadget(#Editor_Text, 0, 0, 500, 400 - MenuHeight() - ToolBarHeight(#ToolBar_Pad))
  EndIf
EndProcedure

Define Event, File, Done = #False

OpenPad()

Repeat
  Event = WaitWindowEvent()
  Select Event
    Case #PB_Event_Menu
      Select EventMenu()
        Case #Item_New
          ClearGadgetItems(#Editor_Text) : FileName$ = ""
        Case #Item_Open
          FileName$ = OpenFileRequester("Open", FileName$, "Text (*.txt)|*.txt|All files|*.*", 0)
          If FileName$ <> ""
            File = ReadFile(#PB_Any, FileName$)
            If File
              SetGadgetText(#Editor_Text, ReadString(File, #PB_File_IgnoreEOL))
              CloseFile(File)
            EndIf
          EndIf
        Case #Item_Save
          If FileName$ = "" : FileName$ = SaveFileRequester("Save", "new.txt", "Text (*.txt)|*.txt", 0) : EndIf
          If FileName$ <> "" And CreateFile(0, FileName$)
            WriteString(0, GetGadgetText(#Editor_Text))
            CloseFile(0)
          EndIf
        Case #Item_WordWrap
          SetMenuItemState(#Menu_Pad, #Item_WordWrap, 1 - GetMenuItemState(#Menu_Pad, #Item_WordWrap))
        Case #Item_Exit
          Done = #True
      EndSelect
    Case #PB_Event_SizeWindow
      ResizeGadget(#Editor_Text, 0, 0, WindowWidth(#Window_Pad), WindowHeight(#Window_Pad) - MenuHeight() - ToolBarHeight(#ToolBar_Pad))
    Case #PB_Event_CloseWindow
      Done = #True
  EndSelect
Until Done
End
