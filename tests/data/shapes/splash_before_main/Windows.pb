; The splash window is opened over the main window.

Enumeration
  #Window_Splash
  #Window_Main
EndEnumeration

Enumeration
  #Text_Splash
  #Progress_Load
  #Tree_Items
  #Button_Close
EndEnumeration

Procedure OpenSplash()
  If OpenWindow(#Window_Splash, 0, 0, 300, 120, "", #PB_Window_BorderLess | #PB_Window_WindowCentered, WindowID(#Window_Main))
    TextGadget(#Text_Splash, 10, 10, 280, 60, "Loading...", #PB_Text_Center)
    ProgressBarGadget(#Progress_Load, 10, 80, 280, 20, 0, 100)
  EndIf
EndProcedure

Procedure OpenMain()
  If OpenWindow(#Window_Main, 0, 0, 600, 400, "Catalogue", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    TreeGadget(#Tree_Items, 10, 10, 580, 340)
    ButtonGadget(#Button_Close, 490, 360, 100, 30, "Close")
  EndIf
EndProcedure
