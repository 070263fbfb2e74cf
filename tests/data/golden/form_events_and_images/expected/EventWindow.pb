;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_Window_Main()
  ResizeGadgetsWindow_Main()
EndProcedure

; ***************************************************************************************

Procedure EventExit_Window_Main()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

