;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Main_Window_Button_0(Type)
  If Type = #PB_EventType_LeftClick
    Debug "clicked"
  EndIf
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Window_String_0(EventType)
  
  Select EventType
    Case #PB_EventType_Change
      Debug GetGadgetText(#Main_Window_String_0)
  EndSelect
  
EndProcedure
Procedure EventGadget_Child_Check_0(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

