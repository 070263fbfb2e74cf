; The main window was Main; the settings window keeps its name Main_Settings.
Procedure Open_Start()
  If OpenWindow(#Start, 0, 0, 300, 200, "Notes", #PB_Window_SystemMenu)
    ButtonGadget(#Ok, 10, 10, 80, 24, "Ok")
  EndIf
EndProcedure

Procedure Open_Main_Settings()
  If OpenWindow(#Main_Settings, 0, 0, 200, 100, "Settings", #PB_Window_SystemMenu)
    ButtonGadget(#Save, 10, 10, 80, 24, "Save")
    ButtonGadget(#Reset, 100, 10, 80, 24, "Reset")
  EndIf
EndProcedure
