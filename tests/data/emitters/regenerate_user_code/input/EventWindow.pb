;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventExit_Main_Window()
  If MessageRequester("Quit", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    ExitApplication = 1
  EndIf
EndProcedure
