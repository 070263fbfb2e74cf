;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure MenuOpen(Event)
  
EndProcedure

; ***************************************************************************************

Procedure MenuSave(Event)
  
EndProcedure

; ***************************************************************************************

Procedure MenuQuit(Event)
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_Main_MenuItem_Open()
  MenuOpen(#Window_Main_MenuItem_Open)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_Main_MenuItem_Save()
  MenuSave(#Window_Main_MenuItem_Save)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_Main_MenuItem_Quit()
  MenuQuit(#Window_Main_MenuItem_Quit)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_Main_Toolbar_Open()
  MenuOpen(#Window_Main_Toolbar_Open)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_Main_Toolbar_Save()
  MenuSave(#Window_Main_Toolbar_Save)
EndProcedure

; ***************************************************************************************

