; Photo viewer -- the About, Preferences and Quit items go into the
; application menu on macOS, PureBasic does that for us.

Enumeration FormWindow
  #Main
  #Prefs
EndEnumeration

Enumeration FormMenu
  #MainMenu
  #Open
  #Zoom
EndEnumeration

Enumeration FormGadget
  #Picture
  #Prefs_Grid
  #Prefs_Close
EndEnumeration

Procedure OpenMain()
  OpenWindow(#Main, 0, 0, 480, 360, "Viewer", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  CreateMenu(#MainMenu, WindowID(#Main))
  MenuTitle("File")
  MenuItem(#Open, "Open...")
  MenuItem(#PB_Menu_Preferences, "Preferences...")
  MenuItem(#PB_Menu_Quit, "Quit")
  MenuTitle("View")
  MenuItem(#Zoom, "Zoom")
  MenuTitle("Help")
  MenuItem(#PB_Menu_About, "About Viewer")
  ImageGadget(#Picture, 0, 0, 480, 340, 0)
EndProcedure

Procedure OpenPrefs()
  OpenWindow(#Prefs, 0, 0, 200, 90, "Preferences", #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#Main))
  CheckBoxGadget(#Prefs_Grid, 10, 10, 180, 20, "Show grid")
  ButtonGadget(#Prefs_Close, 100, 55, 90, 25, "Close")
EndProcedure

OpenMain()

Repeat
  Event = WaitWindowEvent()
  If Event = #PB_Event_Menu
    Select EventMenu()
      Case #Open
        File$ = OpenFileRequester("Picture", "", "Pictures|*.png;*.jpg;*.bmp", 0)
        If File$ <> "" And LoadImage(0, File$)
          SetGadgetState(#Picture, ImageID(0))
        EndIf
      Case #Zoom
        Debug "zoom"
      Case #PB_Menu_Preferences
        OpenPrefs()
      Case #PB_Menu_About
        MessageRequester("About", "Viewer 1.0" + #LF$ + "made with PureBasic")
      Case #PB_Menu_Quit
        Quit = 1
    EndSelect
  ElseIf Event = #PB_Event_Gadget And EventGadget() = #Prefs_Close
    CloseWindow(#Prefs)
  ElseIf Event = #PB_Event_CloseWindow
    If EventWindow() = #Main
      Quit = 1
    Else
      CloseWindow(EventWindow())
    EndIf
  EndIf
Until Quit = 1
