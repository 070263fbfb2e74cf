Procedure Open_B()
  OpenWindow(#pb_any, 0, 0, 100, 100, "B")
EndProcedure
