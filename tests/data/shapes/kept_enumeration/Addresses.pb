; Address book (c) 2019
; all numbers in enumerations, counts at the end for the arrays

EnableExplicit

Enumeration Windows
  #WND_MAIN
  #WND_ABOUT
  #WND_COUNT
EndEnumeration

Enumeration Gadgets
  #LST_NAMES : #BTN_ADD : #BTN_DELETE
  #STR_NAME
  #BTN_ABOUT
  #TXT_VERSION
  #BTN_ABOUT_OK
  #GADGET_COUNT
EndEnumeration

Enumeration Files 10
  #FILE_DATA
  #FILE_BACKUP
EndEnumeration

Global Dim WindowTitle.s(#WND_COUNT - 1)
Global Dim GadgetTip.s(#GADGET_COUNT - 1)

WindowTitle(#WND_MAIN) = "Addresses"
WindowTitle(#WND_ABOUT) = "About"
GadgetTip(#BTN_ADD) = "Add the name" : GadgetTip(#BTN_DELETE) = "Delete the selected name"

Procedure OpenMainWindow()
  If OpenWindow(#WND_MAIN, 0, 0, 320, 260, WindowTitle(#WND_MAIN), #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    ListViewGadget(#LST_NAMES, 10, 10, 300, 170)
    StringGadget(#STR_NAME, 10, 190, 300, 22, "")
    ButtonGadget(#BTN_ADD, 10, 220, 90, 28, "Add") : GadgetToolTip(#BTN_ADD, GadgetTip(#BTN_ADD))
    ButtonGadget(#BTN_DELETE, 110, 220, 90, 28, "Delete") : GadgetToolTip(#BTN_DELETE, GadgetTip(#BTN_DELETE))
    ButtonGadget(#BTN_ABOUT, 220, 220, 90, 28, "About")
  EndIf
EndProcedure

Procedure OpenAboutWindow()
  If OpenWindow(#WND_ABOUT, 0, 0, 200, 100, WindowTitle(#WND_ABOUT), #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#WND_MAIN))
    TextGadget(#TXT_VERSION, 10, 10, 180, 20, "Version 2.4")
    ButtonGadget(#BTN_ABOUT_OK, 100, 60, 90, 28, "OK")
  EndIf
EndProcedure

Procedure SaveNames()
  Protected i
  If CreateFile(#FILE_DATA, "names.txt")
    For i = 0 To CountGadgetItems(#LST_NAMES) - 1
      WriteStringN(#FILE_DATA, GetGadgetItemText(#LST_NAMES, i))
    Next
    CloseFile(#FILE_DATA)
  EndIf
EndProcedure
