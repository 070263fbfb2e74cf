; Hello window
#Win = 0
#Btn = 0
#Txt = 1
If OpenWindow(#Win, 0, 0, 220, 90, "Hello", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  TextGadget(#Txt, 10, 10, 200, 20, "Press the button")
  ButtonGadget(#Btn, 10, 50, 200, 30, "Press")
  Repeat : Until WaitWindowEvent() = #PB_Event_CloseWindow
EndIf
