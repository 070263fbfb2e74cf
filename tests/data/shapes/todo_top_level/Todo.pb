; Todo - a small task list
; Written for PureBasic 6.x

EnableExplicit

Enumeration Windows
  #Window_Main
EndEnumeration

Enumeration Gadgets
  #List_Tasks
  #String_Task
  #Button_Add
  #Button_Remove
  #Check_Done
EndEnumeration

Enumeration Menus
  #Menu_Main
EndEnumeration

Enumeration MenuItems
  #Menu_About
  #Menu_Quit
EndEnumeration

Enumeration Images
  #Image_Icon
EndEnumeration

#AppTitle = "Todo"
#MaxTasks = 100

Structure Task
  Title.s
  Done.b
EndStructure

Global NewList Tasks.Task()
Global Event.i

UsePNGImageDecoder()

Procedure RefreshList()
  ClearGadgetItems(#List_Tasks)
  ForEach Tasks()
    If Tasks()\Done
      AddGadgetItem(#List_Tasks, -1, "[x] " + Tasks()\Title)
    Else
      AddGadgetItem(#List_Tasks, -1, "[ ] " + Tasks()\Title)
    EndIf
  Next
EndProcedure

Procedure AddTask(Title.s)
  If Title <> "" And ListSize(Tasks()) < #MaxTasks
    AddElement(Tasks())
    Tasks()\Title = Title
    RefreshList()
  EndIf
EndProcedure

Procedure RemoveTask(Index)
  If SelectElement(Tasks(), Index)
    DeleteElement(Tasks())
    RefreshList()
  EndIf
EndProcedure

CatchImage(#Image_Icon, ?IconData)

If OpenWindow(#Window_Main, 0, 0, 400, 320, #AppTitle, #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  If CreateMenu(#Menu_Main, WindowID(#Window_Main))
    MenuTitle("File")
    MenuItem(#Menu_About, "About")
    MenuBar()
    MenuItem(#Menu_Quit, "Quit")
  EndIf
  ListViewGadget(#List_Tasks, 10, 10, 380, 220)
  StringGadget(#String_Task, 10, 240, 270, 24, "")
  ButtonGadget(#Button_Add, 290, 240, 100, 24, "Add")
  ButtonGadget(#Button_Remove, 290, 270, 100, 24, "Remove")
  CheckBoxGadget(#Check_Done, 10, 270, 200, 24, "Done")

  Repeat
    Event = WaitWindowEvent()
    Select Event
      Case #PB_Event_Menu
        Select EventMenu()
          Case #Menu_About
            MessageRequester("About", #AppTitle + " 1.0")
          Case #Menu_Quit
            Break
        EndSelect
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #Button_Add
            AddTask(GetGadgetText(#String_Task))
            SetGadgetText(#String_Task, "")
          Case #Button_Remove
            RemoveTask(GetGadgetState(#List_Tasks))
        EndSelect
    EndSelect
  Until Event = #PB_Event_CloseWindow
EndIf
End

DataSection
  IconData:
  IncludeBinary "todo.png"
  IconDataEnd:
EndDataSection
