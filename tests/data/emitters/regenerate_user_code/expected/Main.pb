;-TOP

;- My Program

;- Global Variable
Global ExitApplication = 0
Global Counter

;- Include CommonFile
IncludeFile "CommonFile.pb"

;- Include EventFiles
IncludeFile "EventMenu.pb"
IncludeFile "EventGadget.pb"
IncludeFile "EventWindow.pb"
IncludeFile "EventMain.pb"

Procedure Main()

  Open_Main_Window()
  ; Open_Main_Window() was here
  
  If WindowID(#Main_Window)
    Repeat
      Select WaitWindowEvent()
        Case #PB_Event_Menu
          MyEventMenu(EventMenu())
        Case #PB_Event_Gadget
          MyEventGadget(EventGadget(), EventType())
        Case #PB_Event_SizeWindow
          MyEventSize(EventWindow())
        Case #PB_Event_CloseWindow
          MyEventExit(EventWindow())
      EndSelect
      Counter + 1
    Until ExitApplication = 1
    If WindowID(#Child) : EndIf
  EndIf

EndProcedure:Main()

End
; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; Folding = -
