; The main window lives in its own module, opened when the module starts

DeclareModule Gui
  Enumeration
    #Win
  EndEnumeration
  Enumeration
    #Btn_Hello
    #Txt_Hello
  EndEnumeration
  Declare Greet(Name$)
EndDeclareModule

Module Gui
  EnableExplicit

  OpenWindow(#Win, 0, 0, 260, 100, "Hello module", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  ButtonGadget(#Btn_Hello, 10, 10, 240, 28, "Say hello")
  TextGadget(#Txt_Hello, 10, 55, 240, 20, "")

  Procedure Greet(Name$)
    SetGadgetText(#Txt_Hello, "Hello " + Name$ + "!")
  EndProcedure
EndModule
