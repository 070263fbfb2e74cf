Procedure Open_Window_0()
  If OpenWindow(#Window_0, 0, 0, 300, 200, "Editor", #PB_Window_SystemMenu)
    CreateMenu(#Menu_0, WindowID(#Window_0))
    MenuTitle("File")
    MenuItem(#Save, "Save\tCtrl+S")
    MenuItem(#Save2, "Save as")
    ButtonGadget(#Button_1, 10, 10, 80, 24, "Apply")
    StringGadget(#String_0, 10, 40, 200, 24, "")
    CheckBoxGadget(#Check_Backup, 10, 70, 200, 20, "Keep a backup")
  EndIf
EndProcedure
