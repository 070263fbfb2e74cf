; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Window_0
  #Settings
EndEnumeration

;- Menubar Constants
;
Enumeration
  #Window_0_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Settings_ToolBarButton_0 = 0
  #Window_0_MenuItem_1 = 1
  #Window_0_MenuItem_Open = 2
  #Window_0_MenuItem_Save
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Window_0_Button_0
  #Window_0_String_0
  #Window_0_Text_0
  #Window_0_Editor_Notes
  #Settings_Text_Hint
  #Settings_CheckBox_Autosave
  #Settings_Button_Apply
EndEnumeration

;- StatusBar Constants
;
Enumeration
  #Window_0_StatusBar
EndEnumeration

;- ToolBar Constants
;
Enumeration
  #Settings_ToolBar
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
#MenuItem_Open = #Window_0_MenuItem_Open
#MenuItem_Save = #Window_0_MenuItem_Save

;- Object Variables
;
Global Window_0 = #Window_0
Global Button_0 = #Window_0_Button_0
Global String_0 = #Window_0_String_0
Global Text_0 = #Window_0_Text_0
Global Editor_Notes = #Window_0_Editor_Notes
Global Text_Hint = #Settings_Text_Hint


; ***************************************************************************************

;- Load Font

;- Image Plugin

;- Load Images


; ***************************************************************************************

; Event procedures needs to be put in another source file.
;

; Global Window_0

; Global Button_0, String_0, Text_0
; Global Editor_Notes

Enumeration FormMenu
  ; #MenuItem_Open
  ; #MenuItem_Save
EndEnumeration

Enumeration FormFont
  #Font_Window_0_0
EndEnumeration

LoadFont(#Font_Window_0_0,"Arial", 10)

Procedure Open_Window_0(x = 0, y = 0, width = 600, height = 400)
  OpenWindow(#Window_0, x, y, width, height, "Notes", #PB_Window_SystemMenu)
  CreateMenu(#Window_0_Menu, WindowID(Window_0))
  MenuTitle("File")
  MenuItem(#Window_0_MenuItem_Open, "Open")
  MenuItem(#Window_0_MenuItem_Save, "Save" + Chr(9) + "Ctrl+S")
  MenuBar()
  MenuItem(#Window_0_MenuItem_1, "Close" + Chr(9) + "Cmd+W")
  CreateStatusBar(#Window_0_StatusBar, WindowID(Window_0))
  AddStatusBarField(#PB_Ignore)
  ButtonGadget(#Window_0_Button_0, 10, 10, 100, 25, "Ok")
  StringGadget(#Window_0_String_0, 120, 10, 200, 25, "")
  SetGadgetFont(String_0, FontID(#Font_Window_0_0))
  TextGadget(#Window_0_Text_0, 10, 50, 100, 25, "Notes:")
  EditorGadget(#Window_0_Editor_Notes, 10, 80, 580, 280)
EndProcedure

; ***************************************************************************************

; Event procedures needs to be put in another source file.
;

Enumeration FormWindow
  #Window_0
  #Settings
EndEnumeration

Enumeration FormGadget
  #CheckBox_Autosave
  #Button_Apply
EndEnumeration

; Global Text_Hint

Procedure Open_Settings(x = 0, y = 0, width = 320, height = 200)
  OpenWindow(#Settings, x, y, width, height, "Settings", #PB_Window_SystemMenu, WindowID(#Window_0))
  CreateToolbar(#Settings_ToolBar, WindowID(#Settings))
  ToolBarStandardButton(#Settings_ToolBarButton_0, #PB_ToolBarIcon_Save)
  TextGadget(#PB_Any, 10, 10, 200, 20, "Choose what to keep:")
  TextGadget(#Settings_Text_Hint, 10, 130, 300, 20, "")
  CheckBoxGadget(#Settings_CheckBox_Autosave, 10, 40, 200, 20, "Save on exit")
  ButtonGadget(#Settings_Button_Apply, 220, 160, 90, 25, "Apply")
EndProcedure

; ***************************************************************************************

