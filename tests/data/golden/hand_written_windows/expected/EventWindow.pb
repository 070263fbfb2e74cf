;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_hWnd()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Options()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_About()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Window_2()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_hWnd()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_Options()
  CloseWindow(#Options)
EndProcedure

; ***************************************************************************************

Procedure EventExit_About()
  CloseWindow(#About)
EndProcedure

; ***************************************************************************************

Procedure EventExit_Window_2()
  CloseWindow(#Window_2)
EndProcedure

; ***************************************************************************************

