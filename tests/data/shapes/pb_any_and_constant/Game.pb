; A board window: the score label is kept in a variable, the board's buttons have constants.

Enumeration
  #Window_Game
EndEnumeration

Enumeration
  #Squares
  #Button_New
EndEnumeration

Global Squares, Score

Procedure Open_Window_Game()
  OpenWindow(#Window_Game, 0, 0, 300, 340, "Squares", #PB_Window_SystemMenu)
  Squares = TextGadget(#PB_Any, 10, 10, 280, 20, "Score: 0")
  ButtonGadget(#squares, 10, 40, 280, 250, "Play")
  ButtonGadget(#Button_New, 10, 300, 280, 30, "New game")
EndProcedure
