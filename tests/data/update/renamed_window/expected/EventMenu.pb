Procedure EventMenu_Main_Reload()
  CloseWindow(#Main)
  Open_Main()
EndProcedure
