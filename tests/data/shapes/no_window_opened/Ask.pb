; Ask.pb - a yes/no dialog, the caller gives the window number
; (used by several of my programs, so no constants here)

Global AskResult

Procedure AskWindow(win, Title$, Question$)
  If OpenWindow(win, 0, 0, 260, 110, Title$, #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    TextGadget(#PB_Any, 10, 10, 240, 40, Question$)
    Yes = ButtonGadget(#PB_Any, 10, 65, 115, 30, "Yes")
    No = ButtonGadget(#PB_Any, 135, 65, 115, 30, "No")
    Repeat
      Event = WaitWindowEvent()
      If Event = #PB_Event_Gadget
        AskResult = Bool(EventGadget() = Yes)
        Break
      EndIf
    Until Event = #PB_Event_CloseWindow
    CloseWindow(win)
  EndIf
  ProcedureReturn AskResult
EndProcedure
