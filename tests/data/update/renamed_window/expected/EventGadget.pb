Procedure EventGadget_Main_Ok(EventType)
  DisableGadget(#Main_Ok, 1)
  SetGadgetText(#Main_Text_0, "clicked")
  SetGadgetText(#Main_Button_10, "stays")
EndProcedure

Procedure EventGadget_Main_Text_0(EventType)
EndProcedure
