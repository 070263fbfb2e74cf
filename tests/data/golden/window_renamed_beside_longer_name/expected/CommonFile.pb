; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Start
  #Main_Settings
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
  #Start_Ok
  #Main_Settings_Save
  #Main_Settings_Reset
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

Procedure Open_Start()
  If OpenWindow(#Start, #PB_Ignore, #PB_Ignore, 300, 200, "Notes", #PB_Window_SystemMenu)
    ButtonGadget(#Start_Ok, 10, 10, 80, 24, "Ok")
  EndIf
EndProcedure

; ***************************************************************************************

Procedure Open_Main_Settings()
  If OpenWindow(#Main_Settings, #PB_Ignore, #PB_Ignore, 200, 100, "Settings", #PB_Window_SystemMenu, WindowID(#Start))
    ButtonGadget(#Main_Settings_Save, 10, 10, 80, 24, "Save")
    ButtonGadget(#Main_Settings_Reset, 100, 10, 80, 24, "Reset")
  EndIf
EndProcedure

; ***************************************************************************************

