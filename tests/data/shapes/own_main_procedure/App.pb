; The program's own Main() opens the window and runs until it closes.

Enumeration
  #Window_App
EndEnumeration

Enumeration
  #Button_Hello
  #Text_Out
EndEnumeration

Global Greeting$ = "Hello"

Procedure Open_Window_App()
  OpenWindow(#Window_App, 0, 0, 240, 100, "App", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ButtonGadget(#Button_Hello, 10, 10, 100, 25, "Greet")
  TextGadget(#Text_Out, 10, 50, 220, 20, "")
EndProcedure

Procedure Main()
  Open_Window_App()
  Repeat
    Select WaitWindowEvent()
      Case #PB_Event_Gadget
        If EventGadget() = #Button_Hello
          SetGadgetText(#Text_Out, Greeting$)
        EndIf
      Case #PB_Event_CloseWindow
        Break
    EndSelect
  ForEver
EndProcedure
