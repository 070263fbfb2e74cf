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
  #Main_Window_Menu
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #Main_Window_Open
  #Main_Window_Save
  #Main_Window_Save2
  #Main_Window_ToolOpen
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Main_Window_Button_0
  #Main_Window_Text_0
  #Main_Window_Frame_0
  #Child_List_0
EndEnumeration

;- StatusBar Constants
;
Enumeration
  #Main_Window_Status
EndEnumeration

;- ToolBar Constants
;
Enumeration
  #Main_Window_Tools
EndEnumeration

;- Font Constants
;
Enumeration
  #Font_0
EndEnumeration

;- Image Constants
;
Enumeration
  #Image_0
  #MyImage_1
EndEnumeration


; ***************************************************************************************

;- Load Font
LoadFont(#Font_0, "Arial", 10)

;- Image Plugin

UseJPEGImageDecoder()
UseJPEG2000ImageDecoder()
UsePNGImageDecoder()

;- Load Images
LoadImage(#Image_0, "ok.png")
LoadImage(#MyImage_1, "Logo.JPG")


; ***************************************************************************************

Procedure Open_Main_Window()
  If OpenWindow(#Main_Window, 0, 0, 300, 200, "Übersicht", #PB_Window_SystemMenu)
    ButtonGadget(#Main_Window_Button_0, 10, 10, 80, 24, "OK")
    TextGadget(#Main_Window_Text_0, 10, 40, 80, 24, "Name")
    Frame3DGadget(#Main_Window_Frame_0, 5, 5, 290, 190, "")
  EndIf
EndProcedure

Procedure Open_Child()
  If OpenWindow(#Child, 0, 0, 200, 100, "Child", #PB_Window_SystemMenu, WindowID(#Main_Window))
    ListViewGadget(#Child_List_0, 5, 5, 190, 90)
  EndIf
EndProcedure
