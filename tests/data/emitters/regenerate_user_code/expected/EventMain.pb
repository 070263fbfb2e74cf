;-TOP

; Quarvel EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
    Case #Main_Window_Open : EventMenu_Main_Window_Open()
    Case #Main_Window_Save : EventMenu_Main_Window_Save()
    Case #Main_Window_Save2 : EventMenu_Main_Window_Save2()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  Select GadgetID
    Case #Main_Window_Button_0 : EventGadget_Main_Window_Button_0(EventType)
    Case #Main_Window_String_0 : EventGadget_Main_Window_String_0(EventType)
    Case #Child_Check_0 : EventGadget_Child_Check_0(EventType)
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  Select WindowID
    Case #Main_Window : EventSize_Main_Window()
    Case #Child : EventSize_Child()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  Select WindowID
    Case #Main_Window : EventExit_Main_Window()
    Case #Child : EventExit_Child()
  EndSelect
EndProcedure

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; CursorPosition = 33
; FirstLine = 4
; Folding = -
