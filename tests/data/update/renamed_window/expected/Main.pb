XIncludeFile "CommonFile.pb"
XIncludeFile "Tools.pbi"
XIncludeFile "Legacy.pbi"
XIncludeFile "EventMain.pb"
Open_Main()
SetGadgetText(#Main_Ok, "Go")
Repeat
  MyEventDispatch()
ForEver
