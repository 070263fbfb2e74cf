;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_Greet(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      SetGadgetText(String_0, "Hello from " + GetGadgetText(Button_Greet))
      DisableGadget(Button_Greet, #True)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_String_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

