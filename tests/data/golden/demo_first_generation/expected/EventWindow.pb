;-TOP

; Quarvel Event Window

; ***************************************************************************************

Procedure EventSize_NotesWindow()
  
EndProcedure

; ***************************************************************************************

Procedure EventSize_AboutWindow()
  
EndProcedure

; ***************************************************************************************

Procedure EventExit_NotesWindow()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventExit_AboutWindow()
  CloseWindow(#AboutWindow)
EndProcedure

; ***************************************************************************************

