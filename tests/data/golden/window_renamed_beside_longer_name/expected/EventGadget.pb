;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Start_Ok(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      Debug "Main_Ok pressed, opening #Main_Settings"
      Open_Main_Settings()
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Settings_Save(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      DisableGadget(#Start_Ok, 0) ; #Start_Ok may be pressed again
      CloseWindow(#Main_Settings)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Settings_Reset(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

; Notes: the settings are saved by the close handler too.

; IDE Options = PureBasic 5.10 (Windows - x86)
; Folding = -
