Procedure Open_B()
  w = OpenWindow(#pb_any, 0, 0, 100, 100, "B")
EndProcedure
