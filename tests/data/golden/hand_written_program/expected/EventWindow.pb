;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_About()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Main()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_About()
  If EventWindow() = #Main
    ExitApplication = 1
  Else
    CloseWindow(EventWindow())
  EndIf
EndProcedure

; ***************************************************************************************

Procedure EventExit_Main()
  If EventWindow() = #Main
    ExitApplication = 1
  Else
    CloseWindow(EventWindow())
  EndIf
EndProcedure

; ***************************************************************************************

