; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Window_2 = 2
  #hWnd = 3
  #Options
  #About
EndEnumeration

;- Menubar Constants
;
Enumeration
  #About_AboutMenu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #About_MenuItem_7 = 7
EndEnumeration

;- Gadget Constants
;
Enumeration
  #hWnd_lstFiles
  #hWnd_btnRun
  #Options_Chk_Recurse
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
  #Img_Logo
EndEnumeration

;- Object Variables
;
Global hWnd = #hWnd
Global lstFiles = #hWnd_lstFiles
Global btnRun = #hWnd_btnRun


; ***************************************************************************************

;- Load Font

;- Image Plugin

UsePNGImageDecoder()

;- Load Images
LoadImage( #Img_Logo, "logo.png")


; ***************************************************************************************

; Main window of the tool, written by hand.

; Global hWnd, btnRun, lstFiles

; ***************************************************************************************

Procedure ShowMainWindow()
  OpenWindow(#hWnd, #PB_Ignore, #PB_Ignore, 400, 300, "File Tool", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  If IsWindow(hWnd)
    ListViewGadget(#hWnd_lstFiles, 10, 10, 380, 240)
    ButtonGadget(#hWnd_btnRun, 10, 260, 100, 25, "Run")
    TextGadget(#PB_Any, 120, 264, 200, 20, "Pick files, then Run.")
    ImageGadget(#PB_Any, 330, 255, 32, 32, ImageID(#Img_Logo))
  EndIf
EndProcedure

; ***************************************************************************************

Procedure OpenWindow_Options(parent)
  If OpenWindow(#Options, #PB_Ignore, #PB_Ignore, 240, 120, "Options", #PB_Window_SystemMenu, WindowID(parent))
    CheckBoxGadget(#Options_Chk_Recurse, 10, 10, 200, 20, "Recurse into folders")
  EndIf
EndProcedure

; ***************************************************************************************

Procedure Open_About()
  If OpenWindow(#About, #PB_Ignore, #PB_Ignore, 200, 100, "About", #PB_Window_SystemMenu)
    CreateMenu(#About_AboutMenu, WindowID(#About))
    MenuItem(#About_MenuItem_7, "Close")
  EndIf
EndProcedure

; ***************************************************************************************

Procedure Open_Window_2()
  OpenWindow(#Window_2, #PB_Ignore, #PB_Ignore, 100, 100, "Scratch")
EndProcedure

; ***************************************************************************************

