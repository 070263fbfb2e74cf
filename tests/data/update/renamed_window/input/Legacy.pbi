; résumé
Procedure Reopen()
  Open_Window_0()
EndProcedure
