; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #About
  #Main
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Main_Menu_Main
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Main_Mnu_New
  #Main_Mnu_Quit
  #Main_Mnu_About
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Main_Lst_Notes
  #Main_Str_Title
  #Main_Btn_Add
  #Main_Btn_Delete
  #Main_Txt_Count
EndEnumeration

;- StatusBar Constants
;
Enumeration
EndEnumeration

;- ToolBar Constants
;
Enumeration
EndEnumeration

;- Font Constants
;
Enumeration
EndEnumeration

;- Image Constants
;
Enumeration
EndEnumeration

;- Old Object Constants
;
#Menu_Main = #Main_Menu_Main
#Mnu_New = #Main_Mnu_New
#Mnu_Quit = #Main_Mnu_Quit
#Mnu_About = #Main_Mnu_About
#Lst_Notes = #Main_Lst_Notes
#Str_Title = #Main_Str_Title
#Btn_Add = #Main_Btn_Add
#Btn_Delete = #Main_Btn_Delete
#Txt_Count = #Main_Txt_Count


; ***************************************************************************************

;- Load Font

;- Image Plugin

;- Load Images


; ***************************************************************************************

; Notes - keeps a list of short notes.
; Written by hand: the window is opened by the main code at the end.

Enumeration
  ; #Main
  ; #About
EndEnumeration

Enumeration
  ; #Menu_Main
  ; #Mnu_New
  ; #Mnu_Quit
  ; #Mnu_About
  ; #Lst_Notes
  ; #Str_Title
  ; #Btn_Add
  ; #Btn_Delete
  ; #Txt_Count
EndEnumeration

#AppTitle$ = "Notes"
#MaxNotes = 100

Structure Note
  Title.s
  Created.i
EndStructure

Global NewList Notes.Note()
Global Event, Quit, Width = 360

Declare RefreshList()

DataSection
  DefaultNotes:
  Data.s "Buy milk", "Call Anna", ""
EndDataSection

Global Selected

; ***************************************************************************************

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

; ***************************************************************************************

Procedure ShowAbout()
  If OpenWindow(#About, #PB_Ignore, #PB_Ignore, 240, 90, "About " + #AppTitle$, #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#Main))
    TextGadget(#PB_Any, 10, 10, 220, 40, #AppTitle$ + " keeps your notes.")
  EndIf
EndProcedure

; ***************************************************************************************

Procedure RefreshList()
  ClearGadgetItems(#Main_Lst_Notes)
  ForEach Notes()
    AddGadgetItem(#Main_Lst_Notes, -1, Notes()\Title)
  Next
  SetGadgetText(#Main_Txt_Count, Str(ListSize(Notes())) + " notes")
EndProcedure

; ***************************************************************************************

Procedure Open_Main()
  If OpenWindow(#Main, #PB_Ignore, #PB_Ignore, Width, 300, #AppTitle$, #PB_Window_SystemMenu | #PB_Window_ScreenCentered | #PB_Window_Invisible)
    If CreateMenu(#Main_Menu_Main, WindowID(#Main))
      MenuTitle("File")
      MenuItem(#Main_Mnu_New, "New")
      MenuBar()
      MenuItem(#Main_Mnu_Quit, "Quit")
      MenuTitle("Help")
      MenuItem(#Main_Mnu_About, "About")
    EndIf
    ListViewGadget(#Main_Lst_Notes, 10, 10, Width - 20, 200)
    StringGadget(#Main_Str_Title, 10, 220, 230, 24, "")
    ButtonGadget(#Main_Btn_Add, 250, 220, 100, 24, "Add")
    ButtonGadget(#Main_Btn_Delete, 250, 250, 100, 24, "Delete")
    TextGadget(#Main_Txt_Count, 10, 254, 230, 20, "")
    Selected = -1
    RefreshList()
  EndIf
EndProcedure

; ***************************************************************************************

