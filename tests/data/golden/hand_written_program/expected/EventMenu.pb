;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure EventMenu_Main_Mnu_New()
  
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Main_Mnu_Quit()
  ExitApplication = 1
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Main_Mnu_About()
  ShowAbout()
EndProcedure

; ***************************************************************************************

