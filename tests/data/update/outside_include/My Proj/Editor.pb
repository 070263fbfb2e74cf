Procedure Open_Main()
  If OpenWindow(#Main, 0, 0, 300, 200, "Editor", #PB_Window_SystemMenu)
    CreateMenu(#Menu_0, WindowID(#Main))
    MenuTitle("File")
    MenuItem(#Save, "Save\tCtrl+S")
    MenuItem(#Save2, "Save as")
    ButtonGadget(#Ok, 10, 10, 80, 24, "Apply")
    ButtonGadget(#Button_2, 100, 10, 80, 24, "Cancel")
    StringGadget(#String_0, 10, 40, 200, 24, "")
  EndIf
EndProcedure
