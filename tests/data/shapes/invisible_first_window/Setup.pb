; The wizard window is built hidden and shown once its pages are filled.

Enumeration
  #Wizard
EndEnumeration

Enumeration
  #Panel_Pages
  #Text_Welcome
  #Check_Licence
  #Button_Back
  #Button_Next
EndEnumeration

Procedure Open_Wizard()
  If OpenWindow(#Wizard, 0, 0, 480, 320, "Setup", #PB_Window_SystemMenu | #PB_Window_ScreenCentered | #PB_Window_Invisible)
    PanelGadget(#Panel_Pages, 10, 10, 460, 260)
    AddGadgetItem(#Panel_Pages, -1, "Welcome")
    TextGadget(#Text_Welcome, 10, 10, 430, 80, "Welcome to the setup.")
    AddGadgetItem(#Panel_Pages, -1, "Licence")
    CheckBoxGadget(#Check_Licence, 10, 10, 300, 20, "I accept the licence")
    CloseGadgetList()
    ButtonGadget(#Button_Back, 270, 280, 90, 30, "< Back")
    ButtonGadget(#Button_Next, 380, 280, 90, 30, "Next >")
  EndIf
EndProcedure
