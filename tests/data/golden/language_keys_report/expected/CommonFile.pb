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
EndEnumeration

;- MenuItem Constants
;
Enumeration
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Window_0_Button_Save
  #Window_0_Button_Close
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

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

Procedure Open_Window_0()
  If OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, 300, 200, MyLanguage("Notes"), #PB_Window_SystemMenu)
    ButtonGadget(#Window_0_Button_Save, 10, 10, 80, 24, MyLanguage("Save"))
    ButtonGadget(#Window_0_Button_Close, 10, 40, 80, 24, MyLanguage("Close"))
  EndIf
EndProcedure

; ***************************************************************************************

