;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_Start()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_Main_Settings()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_Start()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_Main_Settings()
  DisableGadget(#Start_Ok, 0)
  CloseWindow(#Main_Settings)
EndProcedure

; ***************************************************************************************

; IDE Options = PureBasic 5.10 (Windows - x86)
; Folding = -
