; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Window_Main
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Window_Main_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Window_Main_MenuItem_Open
  #Window_Main_MenuItem_Save
  #Window_Main_MenuItem_Quit
  #Window_Main_Toolbar_Open
  #Window_Main_Toolbar_Save
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Window_Main_List_Contacts
  #Window_Main_Button_Add
  #Window_Main_Button_Del
  #Window_Main_Image_Photo
EndEnumeration

;- StatusBar Constants
;
Enumeration
EndEnumeration

;- ToolBar Constants
;
Enumeration
  #Window_Main_ToolBar
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
#MenuItem_Open = #Window_Main_MenuItem_Open
#MenuItem_Save = #Window_Main_MenuItem_Save
#MenuItem_Quit = #Window_Main_MenuItem_Quit
#Toolbar_Open = #Window_Main_Toolbar_Open
#Toolbar_Save = #Window_Main_Toolbar_Save

;- Object Variables
;
Global Window_Main = #Window_Main
Global List_Contacts = #Window_Main_List_Contacts
Global Button_Add = #Window_Main_Button_Add
Global Button_Del = #Window_Main_Button_Del
Global Image_Photo = #Window_Main_Image_Photo


; ***************************************************************************************

;- Load Font

;- Image Plugin

;- Catch Images

;- Images
DataSection
EndDataSection

; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

DataSection
  Img_Window_Main_0: : IncludeBinary "open.png"
  Img_Window_Main_1: : IncludeBinary "photo.png"
EndDataSection

; ***************************************************************************************

; Event procedures needs to be put in another source file.
;

; Global Window_Main

; Global Button_Add, Button_Del, List_Contacts, Image_Photo

Global Img_Window_Main_0, Img_Window_Main_1

Enumeration FormMenu
  ; #MenuItem_Open
  ; #MenuItem_Save
  ; #MenuItem_Quit
  ; #Toolbar_Open
  ; #Toolbar_Save
EndEnumeration

Declare ResizeGadgetsWindow_Main()

Declare ContactAdd(EventType)
Declare ContactDelete(EventType)
Declare ContactSelect(EventType)
Declare MenuOpen(Event)
Declare MenuSave(Event)
Declare MenuQuit(Event)

UsePNGImageDecoder()

Img_Window_Main_0 = CatchImage(#PB_Any,?Img_Window_Main_0)
Img_Window_Main_1 = CatchImage(#PB_Any,?Img_Window_Main_1)

Procedure Open_Window_Main(x = 0, y = 0, width = 420, height = 300)
  OpenWindow(#Window_Main, #PB_Ignore, #PB_Ignore, width, height, MyLanguage("Contacts"), #PB_Window_SystemMenu | #PB_Window_SizeGadget)
  CreateMenu(#Window_Main_Menu, WindowID(Window_Main))
  MenuTitle(MyLanguage("File"))
  MenuItem(#Window_Main_MenuItem_Open, MyLanguage("Open..."))
  MenuItem(#Window_Main_MenuItem_Save, MyLanguage("Save"))
  MenuBar()
  MenuItem(#Window_Main_MenuItem_Quit, MyLanguage("Quit"))
  CreateToolbar(#Window_Main_ToolBar, WindowID(Window_Main))
  ToolBarImageButton(#Window_Main_Toolbar_Open,ImageID(Img_Window_Main_0))
  ToolBarImageButton(#Window_Main_Toolbar_Save,ImageID(Img_Window_Main_1))
  ListIconGadget(#Window_Main_List_Contacts, 10, 40, 280, 250, MyLanguage("Name"), 150)
  ButtonGadget(#Window_Main_Button_Add, 300, 40, 110, 25, MyLanguage("Add"))
  ButtonGadget(#Window_Main_Button_Del, 300, 70, 110, 25, MyLanguage("Delete"))
  ImageGadget(#Window_Main_Image_Photo, 300, 110, 110, 110, 0)
EndProcedure

; ***************************************************************************************

Procedure ResizeGadgetsWindow_Main()
  Protected FormWindowWidth, FormWindowHeight
  FormWindowWidth = WindowWidth(Window_Main)
  FormWindowHeight = WindowHeight(Window_Main)
  ResizeGadget(List_Contacts, 10, 40, FormWindowWidth - 140, FormWindowHeight - ToolBarHeight(#Window_Main_ToolBar) - MenuHeight() - 50)
  ResizeGadget(Button_Add, FormWindowWidth - 120, 40, 110, 25)
  ResizeGadget(Button_Del, FormWindowWidth - 120, 70, 110, 25)
EndProcedure

; ***************************************************************************************

