; Tools, kept beside the project
Procedure CheckInput(Gadget)
  If GetGadgetText(Gadget) = ""
    DisableGadget(#Window_0_Button_1, 1)
  EndIf
EndProcedure

Procedure Reopen()
  Open_Window_0()
EndProcedure
