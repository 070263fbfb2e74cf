; The player's main window; "Settings" shows the module's window

Enumeration
  #Win_Player
EndEnumeration

Enumeration
  #Btn_Play
  #Btn_Settings
EndEnumeration

Procedure Open_Win_Player()
  OpenWindow(#Win_Player, 0, 0, 220, 80, "Player", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ButtonGadget(#Btn_Play, 10, 10, 95, 28, "Play")
  ButtonGadget(#Btn_Settings, 115, 10, 95, 28, "Settings")
EndProcedure
