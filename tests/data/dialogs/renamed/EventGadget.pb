Procedure EventGadget_Window_0_Button_1(EventType)
  SetGadgetText(#Window_0_Text_0, "clicked")
EndProcedure

Procedure EventGadget_Window_0_Text_0(EventType)
EndProcedure
