; Tools, saved with a mark and CR LF
Procedure CheckInput(Gadget)
  If GetGadgetText(Gadget) = ""
    DisableGadget(#Main_Ok, 1)
  EndIf
EndProcedure

Procedure Reopen()
  Open_Main()
EndProcedure
