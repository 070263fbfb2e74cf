; The main window as a module

DeclareModule Gui
  Enumeration
    #Window
    #List
    #Button
  EndEnumeration
  Declare Open()
EndDeclareModule

Module Gui
  Procedure Open()
    OpenWindow(#Window, 0, 0, 300, 200, "Module", #PB_Window_SystemMenu)
    ListViewGadget(#List, 5, 5, 290, 160)
    ButtonGadget(#Button, 5, 170, 100, 25, "Add")
  EndProcedure
EndModule
