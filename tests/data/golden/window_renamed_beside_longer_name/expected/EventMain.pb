;-TOP

; Quarvel EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  Select GadgetID
    Case #Start_Ok : EventGadget_Start_Ok(EventType)
    Case #Main_Settings_Save : EventGadget_Main_Settings_Save(EventType)
    Case #Main_Settings_Reset : EventGadget_Main_Settings_Reset(EventType)
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  Select WindowID
    Case #Start : EventSize_Start()
    Case #Main_Settings : EventSize_Main_Settings()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  Select WindowID
    Case #Start : EventExit_Start()
    Case #Main_Settings : EventExit_Main_Settings()
  EndSelect
EndProcedure

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; CursorPosition = 33
; FirstLine = 4
; Folding = -
