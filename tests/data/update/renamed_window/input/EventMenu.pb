Procedure EventMenu_Window_0_Reload()
  CloseWindow(#Window_0)
  Open_Window_0()
EndProcedure
