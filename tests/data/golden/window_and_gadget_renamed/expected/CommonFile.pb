; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Main
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Main_Menu_0
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Main_Save
  #Main_Save2
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Main_Ok
  #Main_Button_2
  #Main_String_0
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

Procedure Open_Main()
  If OpenWindow(#Main, #PB_Ignore, #PB_Ignore, 300, 200, "Editor", #PB_Window_SystemMenu)
    CreateMenu(#Main_Menu_0, WindowID(#Main))
    MenuTitle("File")
    MenuItem(#Main_Save, "Save" + #TAB$ + "Ctrl+S")
    MenuItem(#Main_Save2, "Save as")
    ButtonGadget(#Main_Ok, 10, 10, 80, 24, "Apply")
    ButtonGadget(#Main_Button_2, 100, 10, 80, 24, "Cancel")
    StringGadget(#Main_String_0, 10, 40, 200, 24, "")
  EndIf
EndProcedure

; ***************************************************************************************

