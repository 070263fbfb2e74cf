; The start window, the first thing the user sees

Enumeration
  #Win_Start
EndEnumeration

Enumeration
  #Btn_Go
EndEnumeration

Procedure Open_Win()
  OpenWindow(#Win_Start, 0, 0, 200, 80, "Start", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ButtonGadget(#Btn_Go, 10, 10, 180, 28, "Go")
EndProcedure
