Procedure EventGadget_Window_0_Button_Save(EventType)
  DisableGadget(#Window_0_Button_Gone, 1)
EndProcedure
