XIncludeFile "CommonFile.pb"
XIncludeFile "Tools.pbi"
XIncludeFile "Legacy.pbi"
XIncludeFile "EventMain.pb"
Open_Window_0()
SetGadgetText(#Window_0_Button_1, "Go")
Repeat
  MyEventDispatch()
ForEver
