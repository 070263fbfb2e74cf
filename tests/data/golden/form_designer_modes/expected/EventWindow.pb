;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_Window_0()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Settings()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_Window_0()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_Settings()
  CloseWindow(#Settings)
EndProcedure

; ***************************************************************************************

