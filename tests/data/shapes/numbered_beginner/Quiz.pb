;Quiz - my first window program. no constants, numbers are easier
;window 0 = main window

OpenWindow(0, 200, 200, 320, 240, "Quiz", #PB_Window_SystemMenu)
CreateMenu(0, WindowID(0))
MenuTitle("Game")
MenuItem(101, "New game")
MenuItem(102, "Sound on")
MenuItem(103, "Quit")

TextGadget(0, 10, 10, 300, 20, "What is 7 x 8 ?")
StringGadget(2, 10, 40, 140, 22, "")
ButtonGadget(1, 160, 40, 80, 22, "Answer")
TextGadget(3, 10, 75, 300, 20, "")

;answer buttons 10..13
For i = 0 To 3
  ButtonGadget(10 + i, 10 + i * 75, 110, 70, 30, Str(54 + i))
Next

;a row of buttons by variable
For i = 20 To 22
  ButtonGadget(i, 10 + (i - 20) * 100, 160, 90, 30, "Joker " + Str(i - 19))
Next

Repeat
  ev = WaitWindowEvent()
  If ev = #PB_Event_Gadget
    Select EventGadget()
      Case 1
        If Val(GetGadgetText(2)) = 56
          SetGadgetText(3, "Right!")
        Else
          SetGadgetText(3, "Wrong, try again")
        EndIf
      Case 10 To 13
        SetGadgetText(2, GetGadgetText(EventGadget()))
      Case 20, 21, 22
        DisableGadget(EventGadget(), 1)
    EndSelect
  EndIf
  If ev = #PB_Event_Menu
    Select EventMenu()
      Case 101
        SetGadgetText(2, "") : SetGadgetText(3, "")
      Case 102
        SetMenuItemState(0, 102, 1 - GetMenuItemState(0, 102))
      Case 103
        End
    EndSelect
  EndIf
Until ev = #PB_Event_CloseWindow
