; Stopwatch - my first real PureBasic program :)
; Start/Stop buttons, File menu to reset, closes with the X (asks first)

EnableExplicit

Enumeration
  #Win_Main
EndEnumeration

Enumeration
  #Menu_Main
EndEnumeration

Enumeration
  #Mnu_Reset
  #Mnu_Quit
EndEnumeration

Enumeration
  #Btn_Start
  #Btn_Stop
  #Txt_Time
  #Chk_Beep
  #Str_Lap
EndEnumeration

#Timer_Tick = 1

Global Running = #False
Global Ticks.i = 0

Procedure ShowTime()
  SetGadgetText(#Txt_Time, RSet(Str(Ticks / 60), 2, "0") + ":" + RSet(Str(Ticks % 60), 2, "0"))
EndProcedure

Define Event, Quit = 0
Define laps.s

If OpenWindow(#Win_Main, 0, 0, 300, 160, "Stopwatch", #PB_Window_SystemMenu | #PB_Window_SizeGadget | #PB_Window_ScreenCentered)
  CreateMenu(#Menu_Main, WindowID(#Win_Main))
  MenuTitle("File")
  MenuItem(#Mnu_Reset, "Reset")
  MenuBar()
  MenuItem(#Mnu_Quit, "Quit")
  ButtonGadget(#Btn_Start, 10, 10, 90, 25, "Start")
  ButtonGadget(#Btn_Stop, 110, 10, 90, 25, "Stop") : DisableGadget(#Btn_Stop, 1)
  TextGadget(#Txt_Time, 10, 50, 280, 20, "00:00")
  CheckBoxGadget(#Chk_Beep, 10, 80, 200, 20, "Beep every minute")
  StringGadget(#Str_Lap, 10, 110, 280, 22, "")
  AddWindowTimer(#Win_Main, #Timer_Tick, 1000)
EndIf

Repeat
  Event = WaitWindowEvent()

  Select Event
    Case #PB_Event_Menu
      Select EventMenu()
        Case #Mnu_Reset
          Ticks = 0 : ShowTime()
        Case #Mnu_Quit
          Quit = 1
      EndSelect

    Case #PB_Event_Gadget
      Select EventGadget()
        Case #Btn_Start
          Running = #True
          DisableGadget(#Btn_Start, 1) : DisableGadget(#Btn_Stop, 0)
        Case #Btn_Stop
          Running = #False
          DisableGadget(#Btn_Start, 0) : DisableGadget(#Btn_Stop, 1)
          laps + GetGadgetText(#Txt_Time) + " "
          SetGadgetText(#Str_Lap, laps)
        Case #Str_Lap
          If EventType() = #PB_EventType_Change
            Debug "lap text: " + GetGadgetText(#Str_Lap)
          EndIf
      EndSelect

    Case #PB_Event_Timer
      If EventTimer() = #Timer_Tick And Running
        Ticks + 1
        ShowTime()
        If Ticks % 60 = 0 And GetGadgetState(#Chk_Beep)
          Debug "beep"
        EndIf
      EndIf

    Case #PB_Event_SizeWindow
      ResizeGadget(#Str_Lap, #PB_Ignore, #PB_Ignore, WindowWidth(#Win_Main) - 20, #PB_Ignore)

    Case #PB_Event_CloseWindow
      If MessageRequester("Stopwatch", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
        Quit = 1
      EndIf
  EndSelect

Until Quit = 1

End
