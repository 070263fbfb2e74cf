; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #NotesWindow
  #AboutWindow
EndEnumeration

;- Menubar Constants
;
Enumeration
  #NotesWindow_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #NotesWindow_MenuNew
  #NotesWindow_MenuOpen
  #NotesWindow_MenuSave
  #NotesWindow_MenuQuit
  #NotesWindow_MenuAbout
EndEnumeration

;- Gadget Constants
;
Enumeration
  #NotesWindow_ListNotes
  #NotesWindow_FrameDetails
  #NotesWindow_TextTitle
  #NotesWindow_StringTitle
  #NotesWindow_EditorNote
  #NotesWindow_ButtonAdd
  #NotesWindow_ButtonDelete
  #AboutWindow_ImageLogo
  #AboutWindow_TextAbout
  #AboutWindow_LinkHome
  #AboutWindow_ButtonClose
EndEnumeration

;- StatusBar Constants
;
Enumeration
  #NotesWindow_StatusBar
EndEnumeration

;- ToolBar Constants
;
Enumeration
  #NotesWindow_ToolBar
EndEnumeration

;- Font Constants
;
Enumeration
  #FontTitle
EndEnumeration

;- Image Constants
;
Enumeration
  #ImageNew
  #ImageOpen
  #ImageSave
  #MyImage_0
EndEnumeration


; ***************************************************************************************

;- Load Font
LoadFont(#FontTitle, "Arial", 11, #PB_Font_Bold)

;- Image Plugin

UsePNGImageDecoder()

;- Load Images
LoadImage(#ImageNew, "icons/new.png")
LoadImage(#ImageOpen, "icons/open.png")
LoadImage(#ImageSave, "icons/save.png")
LoadImage(#MyImage_0, "icons/notes.png")


; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

Procedure Open_NotesWindow(x = 0, y = 0, width = 520, height = 360)
  OpenWindow(#NotesWindow, #PB_Ignore, #PB_Ignore, width, height, MyLanguage("Notes"), #PB_Window_SystemMenu | #PB_Window_MinimizeGadget | #PB_Window_SizeGadget)
  CreateMenu(#NotesWindow_Menu, WindowID(#NotesWindow))
  MenuTitle(MyLanguage("File"))
  MenuItem(#NotesWindow_MenuNew, MyLanguage("New") + #TAB$ + "Ctrl+N")
  MenuItem(#NotesWindow_MenuOpen, MyLanguage("Open...") + #TAB$ + "Ctrl+O")
  MenuItem(#NotesWindow_MenuSave, MyLanguage("Save") + #TAB$ + "Ctrl+S")
  MenuBar()
  MenuItem(#NotesWindow_MenuQuit, MyLanguage("Quit"))
  MenuTitle(MyLanguage("Help"))
  MenuItem(#NotesWindow_MenuAbout, MyLanguage("About Notes"))
  CreateToolbar(#NotesWindow_ToolBar, WindowID(#NotesWindow))
  ToolBarImageButton(#NotesWindow_MenuNew, ImageID(#ImageNew))
  ToolBarImageButton(#NotesWindow_MenuOpen, ImageID(#ImageOpen))
  ToolBarImageButton(#NotesWindow_MenuSave, ImageID(#ImageSave))
  ToolBarToolTip(#NotesWindow_ToolBar, #NotesWindow_MenuNew, MyLanguage("New note"))
  ToolBarToolTip(#NotesWindow_ToolBar, #NotesWindow_MenuOpen, MyLanguage("Open notes"))
  ToolBarToolTip(#NotesWindow_ToolBar, #NotesWindow_MenuSave, MyLanguage("Save notes"))
  CreateStatusBar(#NotesWindow_StatusBar, WindowID(#NotesWindow))
  AddStatusBarField(#PB_Ignore)
  StatusBarText(#NotesWindow_StatusBar, 0, MyLanguage("Ready"))
  ListViewGadget(#NotesWindow_ListNotes, 10, 10, 180, 280)
  Frame3DGadget(#NotesWindow_FrameDetails, 200, 5, 310, 285, MyLanguage("Details"))
  TextGadget(#NotesWindow_TextTitle, 210, 25, 80, 20, MyLanguage("Title:"))
  StringGadget(#NotesWindow_StringTitle, 290, 22, 210, 24, MyLanguage(""))
  SetGadgetFont(#NotesWindow_TextTitle, FontID(#FontTitle))
  EditorGadget(#NotesWindow_EditorNote, 210, 55, 290, 225)
  ButtonGadget(#NotesWindow_ButtonAdd, 10, 295, 85, 26, MyLanguage("Add"))
  ButtonGadget(#NotesWindow_ButtonDelete, 105, 295, 85, 26, MyLanguage("Delete"))
EndProcedure

; ***************************************************************************************

Procedure Open_AboutWindow()
	If OpenWindow(#AboutWindow, #PB_Ignore, #PB_Ignore, 320, 150, MyLanguage("About Notes"), #PB_Window_SystemMenu | #PB_Window_ScreenCentered, WindowID(#NotesWindow))
		ImageGadget(#AboutWindow_ImageLogo, 10, 10, 48, 48, ImageID(#MyImage_0))
		TextGadget(#AboutWindow_TextAbout, 70, 15, 240, 40, MyLanguage("Notes 1.0 - generated with Quarvel"))
		HyperLinkGadget(#AboutWindow_LinkHome, 70, 60, 240, 20, MyLanguage("Project page"), RGB(0, 0, 200)) ; opens the browser
		ButtonGadget(#AboutWindow_ButtonClose, 220, 110, 90, 28, MyLanguage("Close"))
		SetActiveGadget(#AboutWindow_ButtonClose)
	EndIf
EndProcedure

; ***************************************************************************************

