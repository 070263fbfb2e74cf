Procedure Open_A()
  OpenWindow(#A, 0, 0, 100, 100, "A")
EndProcedure
