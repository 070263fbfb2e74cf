Procedure EventGadget_Window_0_Button_1(EventType)
  DisableGadget(#Window_0_Button_1, 1)
  SetGadgetText(#Window_0_Text_0, "clicked")
  SetGadgetText(#Window_0_Button_10, "stays")
EndProcedure

Procedure EventGadget_Window_0_Text_0(EventType)
EndProcedure
