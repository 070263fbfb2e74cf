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
  #Window_0_Button_0
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

;- Object Variables
;
Global Window_0 = #Window_0
Global Button_0 = #Window_0_Button_0
Global String_0 = #Window_0_String_0


; ***************************************************************************************

;- Load Font

;- Image Plugin

;- Load Images


; ***************************************************************************************

; Event procedures needs to be put in another source file.
;

; Global Window_0

; Global Button_0, String_0

Procedure Open_Window_0(x = 0, y = 0, width = 300, height = 120)
  OpenWindow(#Window_0, #PB_Ignore, #PB_Ignore, width, height, "Greeter", #PB_Window_SystemMenu)
  ButtonGadget(#Window_0_Button_0, 10, 80, 100, 25, "Greet")
  StringGadget(#Window_0_String_0, 10, 10, 280, 25, "")
EndProcedure

; ***************************************************************************************

