Procedure EventGadget_Window_0_Button_Save(EventType)
  DisableGadget(#Window_0_Button_Gone, 1)
EndProcedure
Procedure EventGadget_Window_0_Button_Close(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

