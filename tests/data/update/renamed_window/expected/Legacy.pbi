; résumé
Procedure Reopen()
  Open_Main()
EndProcedure
