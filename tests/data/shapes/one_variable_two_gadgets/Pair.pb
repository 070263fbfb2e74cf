; Two buttons, one variable: only the last one is kept in "Button"
Global Window_Pair, Button, Info

Procedure OpenPair()
  Window_Pair = OpenWindow(#PB_Any, 0, 0, 300, 110, "Pair", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  Button = ButtonGadget(#PB_Any, 10, 10, 135, 28, "Left")
  Button = ButtonGadget(#PB_Any, 155, 10, 135, 28, "Right")
  Info = TextGadget(#PB_Any, 10, 60, 280, 20, "")
EndProcedure

OpenPair()

Repeat
  Event = WaitWindowEvent()
  If Event = #PB_Event_Gadget
    Select EventGadget()
      Case Button
        SetGadgetText(Info, "Right was pressed")
    EndSelect
  EndIf
Until Event = #PB_Event_CloseWindow
