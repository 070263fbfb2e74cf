; The settings window is opened, hidden, as soon as the module is included
DeclareModule Settings
  Enumeration 100
    #Win_Settings
  EndEnumeration
  Enumeration 100
    #Chk_Sound
  EndEnumeration
  Declare Show()
EndDeclareModule

Module Settings
  If OpenWindow(#Win_Settings, 0, 0, 200, 60, "Settings", #PB_Window_SystemMenu | #PB_Window_Invisible)
    CheckBoxGadget(#Chk_Sound, 10, 10, 180, 20, "Sound")
  EndIf

  Procedure Show()
    HideWindow(#Win_Settings, #False)
  EndProcedure
EndModule
