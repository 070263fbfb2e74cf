; Hilfsfunktionen für das Fenster
Procedure ShowMain()
  HideWindow(#Window_0, 0)
  SetActiveGadget(#Window_0_Button_1)
EndProcedure
