; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Main_Window
  #Child
EndEnumeration

;- Menubar Constants
;
Enumeration
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Main_Window_Open
  #Main_Window_Save
  #Main_Window_Save2
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Main_Window_Button_0
  #Main_Window_String_0
  #Child_Check_0
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

Procedure Open_Main_Window()
  OpenWindow(#Main_Window, 0, 0, 300, 200, "Main")
EndProcedure
Procedure Open_Child()
  OpenWindow(#Child, 0, 0, 300, 200, "Child")
EndProcedure
