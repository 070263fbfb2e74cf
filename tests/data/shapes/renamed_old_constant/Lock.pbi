; Lock.pbi - shared by all my login dialogs

Procedure LockButtons(Locked)
  DisableGadget(#btn0, Locked)
  DisableGadget(#btn1, Locked)
  If Locked
    SetGadgetText(#txtStatus, "Checking...")
  EndIf
EndProcedure
