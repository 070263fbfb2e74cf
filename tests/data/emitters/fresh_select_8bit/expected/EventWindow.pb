;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_Main_Window()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Child()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_Main_Window()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_Child()
  CloseWindow(#Child)
EndProcedure

; ***************************************************************************************

