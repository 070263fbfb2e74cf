;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_Settings()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Window_0()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_Settings()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_Window_0()
  CloseWindow(#Window_0)
EndProcedure

; ***************************************************************************************

