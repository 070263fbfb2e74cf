Procedure EventSize_Window_0()
  ResizeGadget(#Window_0_Button_1, 10, 10, WindowWidth(#Window_0) - 20, 25)
EndProcedure

Procedure EventExit_Window_0()
  CloseWindow(#Window_0)
  End
EndProcedure
