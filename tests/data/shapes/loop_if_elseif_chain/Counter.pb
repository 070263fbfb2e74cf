; click counter -- old style, no Select, just If's
#MainWin = 0

#btn_plus = 0
#btn_minus = 1
#btn_reset = 2
#lbl_count = 3
#trk_step = 4

Global count = 0

Procedure Refresh()
  SetGadgetText(#lbl_count, "Count: " + Str(count))
EndProcedure

Procedure OpenMainWin()
  If OpenWindow(#MainWin, 0, 0, 230, 140, "Counter", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    ButtonGadget(#btn_plus,  10, 10, 60, 25, "+")
    ButtonGadget(#btn_minus, 80, 10, 60, 25, "-")
    ButtonGadget(#btn_reset, 150, 10, 70, 25, "Reset")
    TextGadget(#lbl_count, 10, 50, 210, 20, "Count: 0")
    TrackBarGadget(#trk_step, 10, 80, 210, 25, 1, 10)
  EndIf
EndProcedure

OpenMainWin()

Repeat
  event = WaitWindowEvent()
  If event = #PB_Event_Gadget
    If EventGadget() = #btn_plus
      count + GetGadgetState(#trk_step)
      Refresh()
    ElseIf EventGadget() = #btn_minus
      count - GetGadgetState(#trk_step)
      If count < 0 : count = 0 : EndIf
      Refresh()
    ElseIf EventGadget() = #btn_reset
      count = 0 : Refresh()
    ElseIf EventGadget() = #trk_step And EventType() = #PB_EventType_Change
      Debug "step now " + Str(GetGadgetState(#trk_step))
    EndIf
  ElseIf event = #PB_Event_CloseWindow
    quit = 1
  EndIf
Until quit
