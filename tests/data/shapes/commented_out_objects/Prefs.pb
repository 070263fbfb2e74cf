; Preferences window
; v1.3: backup option and Apply button removed (left in as comments)

Enumeration
  #Win_Prefs
EndEnumeration

Enumeration
  #Chk_Autosave
  ;#Chk_Backup          ; removed in 1.3
  #Spn_Minutes
  ; #Btn_Apply
  #Btn_Ok
EndEnumeration

Enumeration
  #Menu_Prefs
EndEnumeration

Enumeration
  #Item_Defaults
  ;#Item_Import
EndEnumeration

Procedure OpenPrefs()
  OpenWindow(#Win_Prefs, 0, 0, 260, 150, "Preferences", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  CreateMenu(#Menu_Prefs, WindowID(#Win_Prefs))
  MenuTitle("Settings")
  MenuItem(#Item_Defaults, "Defaults")
  ;MenuItem(#Item_Import, "Import...")
  CheckBoxGadget(#Chk_Autosave, 10, 10, 240, 20, "Save automatically")
  ;CheckBoxGadget(#Chk_Backup, 10, 35, 240, 20, "Keep a backup")
  SpinGadget(#Spn_Minutes, 10, 60, 80, 22, 1, 60, #PB_Spin_Numeric) ; was: TrackBarGadget(#Trk_Minutes, 10, 60, 200, 22, 1, 60)
  ; ButtonGadget(#Btn_Apply, 10, 100, 110, 28, "Apply")
  ButtonGadget(#Btn_Ok, 140, 100, 110, 28, "OK")
EndProcedure
