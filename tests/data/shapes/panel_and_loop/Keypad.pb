; A keypad built in a loop, on the pages of a panel.

Enumeration
  #Window_Keypad
EndEnumeration

Enumeration
  #Panel
  #Display
  #Btn_0
  #Btn_1
  #Btn_2
  #Btn_3
  #Btn_4
  #Btn_5
  #Btn_6
  #Btn_7
  #Btn_8
  #Btn_9
  #Btn_Clear
EndEnumeration

Procedure Open_Window_Keypad()
  Protected i
  OpenWindow(#Window_Keypad, 0, 0, 260, 320, "Keypad", #PB_Window_SystemMenu)
  StringGadget(#Display, 10, 10, 240, 30, "", #PB_String_ReadOnly)
  PanelGadget(#Panel, 10, 50, 240, 260)
  AddGadgetItem(#Panel, -1, "Digits")
  For i = 0 To 9
    ButtonGadget(#Btn_0 + i, 10 + (i % 3) * 70, 10 + (i / 3) * 50, 60, 40, Str(i))
  Next
  AddGadgetItem(#Panel, -1, "More")
  CloseGadgetList()
  UseGadgetList(GadgetID(#Panel))
  OpenGadgetList(#Panel, 1)
  ButtonGadget(#Btn_Clear, 10, 10, 60, 40, "C")
  CloseGadgetList()
EndProcedure
