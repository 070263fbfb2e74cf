Procedure EventSize_Main()
  ResizeGadget(#Main_Ok, 10, 10, WindowWidth(#Main) - 20, 25)
EndProcedure

Procedure EventExit_Main()
  CloseWindow(#Main)
  End
EndProcedure
