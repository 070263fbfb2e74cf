;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure EventMenu_Main_Window_Open() ; opens a file
  OpenFileRequester("Open", "", "", 0)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Main_Window_Save()
  ; save everything
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Main_Window_Removed()
  Debug "this menu item is gone from the design"
EndProcedure

Procedure EventMenu_Main_Window_Save2()
  
EndProcedure

; ***************************************************************************************

; IDE Options = PureBasic 5.10 (Windows - x86)
; Folding = -
