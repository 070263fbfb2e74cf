;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure EventMenu_Window_0_MenuItem_Open()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_0_MenuItem_Save()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_0_MenuItem_1()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Settings_ToolBarButton_0()
  
EndProcedure

; ***************************************************************************************

