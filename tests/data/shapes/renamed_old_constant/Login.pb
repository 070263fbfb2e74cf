; Login window - the buttons are locked by Lock.pbi while we check the password

Enumeration
  #wndMain
EndEnumeration

Enumeration
  #btn0
  #btn1
  #txtStatus
  #strUser
  #strPass
EndEnumeration

XIncludeFile "Lock.pbi"

Procedure OpenwndMain()
  OpenWindow(#wndMain, 0, 0, 260, 150, "Login", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  TextGadget(#txtStatus, 10, 120, 240, 20, "Please log in")
  StringGadget(#strUser, 10, 10, 240, 22, "")
  StringGadget(#strPass, 10, 40, 240, 22, "", #PB_String_Password)
  ButtonGadget(#btn0, 10, 80, 115, 28, "Login")
  ButtonGadget(#btn1, 135, 80, 115, 28, "Cancel")
EndProcedure
