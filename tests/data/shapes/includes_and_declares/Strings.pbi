; String helpers shared by the library's windows.

Procedure.s TrimAll(text.s)
  ProcedureReturn Trim(Trim(text), #TAB$)
EndProcedure
