; Notes - keeps a list of short notes.
; Written by hand: the window is opened by the main code at the end.

Enumeration
  #Main
  #About
EndEnumeration

Enumeration
  #Menu_Main
  #Mnu_New
  #Mnu_Quit
  #Mnu_About
  #Lst_Notes
  #Str_Title
  #Btn_Add
  #Btn_Delete
  #Txt_Count
EndEnumeration

#AppTitle$ = "Notes"
#MaxNotes = 100

Structure Note
  Title.s
  Created.i
EndStructure

Global NewList Notes.Note()
Define Event, Quit, Width = 360

Declare RefreshList()

DataSection
  DefaultNotes:
  Data.s "Buy milk", "Call Anna", ""
EndDataSection

Procedure LoadDefaults()
  Protected Title.s
  Restore DefaultNotes
  Repeat
    Read.s Title
    If Title <> ""
      AddElement(Notes())
      Notes()\Title = Title
      Notes()\Created = Date()
    EndIf
  Until Title = "" Or ListSize(Notes()) >= #MaxNotes
EndProcedure

Procedure ShowAbout()
  If OpenWindow(#About, 0, 0, 240, 90, "About " + #AppTitle$, #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#Main))
    TextGadget(#PB_Any, 10, 10, 220, 40, #AppTitle$ + " keeps your notes.")
  EndIf
EndProcedure

Procedure RefreshList()
  ClearGadgetItems(#Lst_Notes)
  ForEach Notes()
    AddGadgetItem(#Lst_Notes, -1, Notes()\Title)
  Next
  SetGadgetText(#Txt_Count, Str(ListSize(Notes())) + " notes")
EndProcedure

LoadDefaults()

If OpenWindow(#Main, 0, 0, Width, 300, #AppTitle$, #PB_Window_SystemMenu | #PB_Window_ScreenCentered | #PB_Window_Invisible)
  If CreateMenu(#Menu_Main, WindowID(#Main))
    MenuTitle("File")
    MenuItem(#Mnu_New, "New")
    MenuBar()
    MenuItem(#Mnu_Quit, "Quit")
    MenuTitle("Help")
    MenuItem(#Mnu_About, "About")
  EndIf
  ListViewGadget(#Lst_Notes, 10, 10, Width - 20, 200)
  StringGadget(#Str_Title, 10, 220, 230, 24, "")
  ButtonGadget(#Btn_Add, 250, 220, 100, 24, "Add")
  ButtonGadget(#Btn_Delete, 250, 250, 100, 24, "Delete")
  TextGadget(#Txt_Count, 10, 254, 230, 20, "")
  Selected = -1
  RefreshList()

  Repeat
    Event = WaitWindowEvent()
    Select Event
      Case #PB_Event_Menu
        Select EventMenu()
          Case #Mnu_Quit : Quit = #True
          Case #Mnu_About : ShowAbout()
        EndSelect
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #Lst_Notes
            Selected = GetGadgetState(#Lst_Notes)
          Case #Btn_Add
            If ListSize(Notes()) < #MaxNotes
              AddElement(Notes())
              Notes()\Title = GetGadgetText(#Str_Title)
              RefreshList()
            EndIf
        EndSelect
      Case #PB_Event_CloseWindow
        If EventWindow() = #Main
          Quit = #True
        Else
          CloseWindow(EventWindow())
        EndIf
    EndSelect
  Until Quit
EndIf
End
