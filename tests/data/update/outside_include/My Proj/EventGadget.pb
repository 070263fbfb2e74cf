;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_1(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      CheckInput(#Window_0_String_0)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_2(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_String_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

