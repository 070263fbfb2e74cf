; A clock window whose gadgets are served by bound procedures

Enumeration
  #Win_Clock
EndEnumeration

Enumeration
  #Txt_Time
  #Btn_Start
  #Btn_Stop
EndEnumeration

#Timer_Tick = 1

Global Running = #False

Procedure OnTick()
  SetGadgetText(#Txt_Time, FormatDate("%hh:%ii:%ss", Date()))
EndProcedure

Procedure OnStart()
  AddWindowTimer(#Win_Clock, #Timer_Tick, 1000)
  Running = #True
EndProcedure

Procedure OnStop()
  RemoveWindowTimer(#Win_Clock, #Timer_Tick)
  Running = #False
EndProcedure

Procedure OnResize()
  ResizeGadget(#Txt_Time, 10, 10, WindowWidth(#Win_Clock) - 20, 40)
EndProcedure

Procedure Open_Win_Clock()
  OpenWindow(#Win_Clock, 0, 0, 260, 120, "Clock", #PB_Window_SystemMenu | #PB_Window_SizeGadget)
  TextGadget(#Txt_Time, 10, 10, 240, 40, "--:--:--", #PB_Text_Center)
  ButtonGadget(#Btn_Start, 10, 70, 115, 30, "Start")
  ButtonGadget(#Btn_Stop, 135, 70, 115, 30, "Stop")
  BindGadgetEvent(#Btn_Start, @OnStart())
  BindGadgetEvent(#Btn_Stop, @OnStop())
  BindEvent(#PB_Event_Timer, @OnTick(), #Win_Clock)
  BindEvent(#PB_Event_SizeWindow, @OnResize(), #Win_Clock)
EndProcedure
