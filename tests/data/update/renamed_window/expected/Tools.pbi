; Hilfsfunktionen für das Fenster
Procedure ShowMain()
  HideWindow(#Main, 0)
  SetActiveGadget(#Main_Ok)
EndProcedure
