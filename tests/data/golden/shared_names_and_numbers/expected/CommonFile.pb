; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Tools
  #Editor
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Tools_Menu
  #Editor_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Editor_MenuItem_2 = 2
  #Tools_MenuItem_9 = 9
  #Tools_Open = 10
  #Editor_Menu_Save
  #Tools_Recent_0
EndEnumeration

;- Gadget Constants
;
Enumeration 13
  #Tools_List
  #Tools_Squares_2
  #Tools_squares
  #Tools_Panel
  #Tools_Check
  #Editor_Editor_Text
  #Editor_Button_Save
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
#Menu = #Tools_Menu
#Open = #Tools_Open
#Recent_0 = #Tools_Recent_0
#List = #Tools_List
#squares = #Tools_squares
#Panel = #Tools_Panel
#Check = #Tools_Check
#Menu_Save = #Editor_Menu_Save

;- Object Variables
;
Global Squares = #Tools_Squares_2


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

; Tools window, written by hand

Enumeration
  ; #Tools
EndEnumeration

Enumeration
  ; #Menu
  ; #Open
  ; #Recent_0
  ; #List
  ; #squares
  ; #Panel
  ; #Check
EndEnumeration

; ***************************************************************************************

Procedure FillList()
  ClearGadgetItems(#Tools_List)
  For i = 1 To 3
    AddGadgetItem(#Tools_List, -1, MyLanguage("Item ") + Str(i))
  Next
  SetGadgetState(#Tools_List, 0)
EndProcedure

; ***************************************************************************************

Procedure.s AskName(title.s = "Name")
  ProcedureReturn InputRequester(title, MyLanguage("Your name:"), "")
EndProcedure

; ***************************************************************************************

Procedure Open_Tools()
  If OpenWindow(#Tools, #PB_Ignore, #PB_Ignore, 320, 300, MyLanguage("Tools"), #PB_Window_SystemMenu)
    If CreateMenu(#Tools_Menu, WindowID(#Tools))
      MenuTitle(MyLanguage("File"))
      MenuItem(#Tools_Open, MyLanguage("Open"))
      OpenSubMenu(MyLanguage("Recent"))
      For k = 0 To 3
        MenuItem(#Tools_Recent_0 + k, MyLanguage("Recent ") + Str(k))
      Next
      CloseSubMenu()
      MenuItem(#Tools_MenuItem_9, MyLanguage("Quit"))
    EndIf
    BindMenuEvent(#Tools_Menu, #Tools_Open, @FillList())
    FrameGadget(12, 5, 5, 310, 200, MyLanguage("Items"))
    ListViewGadget(#Tools_List, 10, 20, 200, 150)
    SetGadgetFont(#Tools_List, LoadFont(1, "Courier", 9))
    TextGadget(#Tools_Squares_2, 10, 180, 100, 20, MyLanguage("Squares"))
    ButtonGadget(#Tools_squares, 120, 180, 100, 25, MyLanguage("Squares"))
    SetGadgetText(#Tools_squares, FormatDate("%yyyy-%mm-%dd", Date()))
    PanelGadget(#Tools_Panel, 10, 210, 300, 80)
    AddGadgetItem(#Tools_Panel, -1, MyLanguage("First"))
    CloseGadgetList()
    UseGadgetList(GadgetID(#Tools_Panel))
    CheckBoxGadget(#Tools_Check, 5, 5, 100, 20, MyLanguage("Check"))
    FillList()
  EndIf
EndProcedure

; ***************************************************************************************

Procedure Quit()
  If MessageRequester(MyLanguage("Quit"), MyLanguage("Really quit?"), #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    End
  EndIf
EndProcedure

; ***************************************************************************************

; Event procedures needs to be put in another source file.
;

Enumeration FormWindow
  #Tools
  #Editor
EndEnumeration

Enumeration FormGadget
  #Editor_Text
  #Custom_Chart
  #Button_Save
EndEnumeration

Enumeration FormMenu
  ; #Menu_Save
EndEnumeration

Procedure Open_Editor(x = 0, y = 0, width = 400, height = 300)
  OpenWindow(#Editor, #PB_Ignore, #PB_Ignore, width, height, MyLanguage("Editor"), #PB_Window_SystemMenu | #PB_Window_SizeGadget, WindowID(#Tools))
  CreateMenu(#Editor_Menu, WindowID(#Editor))
  MenuTitle(MyLanguage("File"))
  MenuItem(#Editor_Menu_Save, MyLanguage("Save"))
  MenuItem(#Editor_MenuItem_2, MyLanguage("Close"))
  EditorGadget(#Editor_Editor_Text, 10, 10, 380, 200)
  ChartGadget(#Custom_Chart, 10, 215, 200, 50)
  ButtonGadget(#Editor_Button_Save, 300, 260, 90, 25, MyLanguage("Save"))
EndProcedure

; ***************************************************************************************

Procedure ResizeGadgetsEditor()
  ResizeGadget(#Editor_Editor_Text, 10, 10, WindowWidth(#Editor) - 20, WindowHeight(#Editor) - MenuHeight() - 100)
  DisableGadget(#Editor_Button_Save, Bool(GetGadgetText(#Editor_Editor_Text) = ""))
EndProcedure

; ***************************************************************************************

