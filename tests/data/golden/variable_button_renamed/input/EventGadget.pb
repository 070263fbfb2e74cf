;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      SetGadgetText(String_0, "Hello from " + GetGadgetText(Button_0))
      DisableGadget(Button_0, #True)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_String_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

