; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Window_0
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Window_0_Menu_0
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Window_0_Save
  #Window_0_Save2
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Window_0_Button_1
  #Window_0_Button_2
  #Window_0_String_0
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


; ***************************************************************************************

;- Load Font

;- Image Plugin

;- Load Images


; ***************************************************************************************

Procedure Open_Window_0()
  If OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 300, 200, "Editor", #PB_Window_SystemMenu)
    CreateMenu(#Window_0_Menu_0, WindowID(#Window_0))
    MenuTitle("File")
    MenuItem(#Window_0_Save, "Save" + #TAB$ + "Ctrl+S")
    MenuItem(#Window_0_Save2, "Save as")
    ButtonGadget(#Window_0_Button_1, 10, 10, 80, 24, "Apply")
    ButtonGadget(#Window_0_Button_2, 100, 10, 80, 24, "Cancel")
    StringGadget(#Window_0_String_0, 10, 40, 200, 24, "")
  EndIf
EndProcedure

; ***************************************************************************************

