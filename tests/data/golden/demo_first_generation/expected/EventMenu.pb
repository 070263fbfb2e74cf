;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure EventMenu_NotesWindow_MenuNew()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_NotesWindow_MenuOpen()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_NotesWindow_MenuSave()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_NotesWindow_MenuQuit()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_NotesWindow_MenuAbout()
  
EndProcedure

; ***************************************************************************************

