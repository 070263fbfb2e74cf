;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_1(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      SetGadgetText(#Window_0_String_0, "Applied")
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_2(EventType) ; the old cancel button
  
  Select EventType
    Case #PB_EventType_LeftClick
      CloseWindow(#Window_0)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_0_String_0(Type)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

