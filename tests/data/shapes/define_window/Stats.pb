; Statistics viewer

Define.i win, lst, btnReload
Define NewList Values.i()

Procedure.i Sum(List items.i())
  Protected total
  ForEach items()
    total + items()
  Next
  ProcedureReturn total
EndProcedure

win = OpenWindow(#PB_Any, 0, 0, 300, 260, "Statistics", #PB_Window_SystemMenu)
If win
  lst = ListIconGadget(#PB_Any, 5, 5, 290, 210, "Value", 140)
  btnReload = ButtonGadget(#PB_Any, 5, 225, 100, 30, "Reload")
  For i = 1 To 5
    AddElement(Values()) : Values() = i * i
    AddGadgetItem(lst, -1, Str(Values()))
  Next
  SetWindowTitle(win, "Statistics: " + Str(Sum(Values())))
  Repeat
    Event = WaitWindowEvent()
  Until Event = #PB_Event_CloseWindow
EndIf
