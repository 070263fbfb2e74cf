; Windows opened by the program's own code.

If OpenWindow(#About, 0, 0, 200, 100, "About", #PB_Window_SystemMenu)
  CreateMenu(#AboutMenu, WindowID(#About))
  MenuItem(7, "Close")
  Repeat
  Until WaitWindowEvent() = #PB_Event_CloseWindow
EndIf

OpenWindow(2, 0, 0, 100, 100, "Scratch")
