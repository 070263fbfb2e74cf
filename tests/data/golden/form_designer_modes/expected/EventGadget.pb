;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Window_0_Button_0(EventType)
  
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

Procedure EventGadget_Window_0_Editor_Notes(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Settings_CheckBox_Autosave(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Settings_Button_Apply(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

