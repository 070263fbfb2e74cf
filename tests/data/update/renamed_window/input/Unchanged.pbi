; nothing bound here
Procedure Other()
EndProcedure