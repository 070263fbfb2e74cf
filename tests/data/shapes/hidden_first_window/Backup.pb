; Backup tool. The window is filled while hidden (no flicker), the
; settings are loaded, then it is shown.

Enumeration
  #wMain
EndEnumeration

Enumeration
  #gFolder
  #gBrowse
  #gProgress
  #gStart
EndEnumeration

Global Folder$

Procedure LoadSettings()
  If OpenPreferences("backup.prefs")
    Folder$ = ReadPreferenceString("folder", GetHomeDirectory())
    ClosePreferences()
  EndIf
EndProcedure

Procedure OpenwMain()
  OpenWindow(#wMain,0,0,360,130,"Backup",#PB_Window_SystemMenu|#PB_Window_ScreenCentered)
  HideWindow(#wMain,1)
  StringGadget(#gFolder,10,10,250,22,"")
  ButtonGadget(#gBrowse,270,10,80,22,"Browse...")
  ProgressBarGadget(#gProgress,10,45,340,20,0,100)
  ButtonGadget(#gStart,10,85,340,30,"Start backup")
EndProcedure

OpenwMain()
LoadSettings()
SetGadgetText(#gFolder, Folder$)
HideWindow(#wMain,0)
Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow
