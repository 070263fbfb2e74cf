Procedure Helper()
  Debug MyLanguage("From helper")
EndProcedure
