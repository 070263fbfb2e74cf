;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventExit_Main_Window()
  If MessageRequester("Quit", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    ExitApplication = 1
  EndIf
EndProcedure
Procedure EventSize_Main_Window()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Child()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_Child()
  CloseWindow(#Child)
EndProcedure

; ***************************************************************************************

