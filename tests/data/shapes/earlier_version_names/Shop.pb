; Shop -- the till of our little shop
Enumeration
  #Main
EndEnumeration

Enumeration
  #Status
EndEnumeration

Enumeration
  #Lst_Basket
  #Btn_Pay
EndEnumeration

Procedure Open_Main()
  If OpenWindow(#Main, 0, 0, 300, 240, "Shop", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    CreateStatusBar(#Status, WindowID(#Main))
    AddStatusBarField(#PB_Ignore)
    StatusBarText(#Status, 0, "Basket empty")
    ListViewGadget(#Lst_Basket, 10, 10, 280, 160)
    ButtonGadget(#Btn_Pay, 10, 180, 280, 30, "Pay")
  EndIf
EndProcedure
