;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Main_Ok(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      CheckInput(#Main_String_0)
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Button_2(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_String_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

