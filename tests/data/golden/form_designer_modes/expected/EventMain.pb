;-TOP

; Quarvel EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
    Case #Window_0_MenuItem_Open : EventMenu_Window_0_MenuItem_Open()
    Case #Window_0_MenuItem_Save : EventMenu_Window_0_MenuItem_Save()
    Case #Window_0_MenuItem_1 : EventMenu_Window_0_MenuItem_1()
    Case #Settings_ToolBarButton_0 : EventMenu_Settings_ToolBarButton_0()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  Select GadgetID
    Case #Window_0_Button_0 : EventGadget_Window_0_Button_0(EventType)
    Case #Window_0_String_0 : EventGadget_Window_0_String_0(EventType)
    Case #Window_0_Editor_Notes : EventGadget_Window_0_Editor_Notes(EventType)
    Case #Settings_CheckBox_Autosave : EventGadget_Settings_CheckBox_Autosave(EventType)
    Case #Settings_Button_Apply : EventGadget_Settings_Button_Apply(EventType)
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  Select WindowID
    Case #Window_0 : EventSize_Window_0()
    Case #Settings : EventSize_Settings()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  Select WindowID
    Case #Window_0 : EventExit_Window_0()
    Case #Settings : EventExit_Settings()
  EndSelect
EndProcedure

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; CursorPosition = 33
; FirstLine = 4
; Folding = -
