; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Main_Window
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
  #Main_Window_Quit
EndEnumeration

;- Gadget Constants
;
Enumeration
  #Main_Window_Text_0
  #Main_Window_Button_0
  #Main_Window_Frame_0
  #Main_Window_Image_0
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
  #Image_0
  #MyImage_1
  #MyImage_2
EndEnumeration


; ***************************************************************************************

;- Load Font

;- Image Plugin

UseJPEGImageDecoder()
UseJPEG2000ImageDecoder()
UsePNGImageDecoder()
UseTIFFImageDecoder()
UseTGAImageDecoder()

;- Catch Images
CatchImage(#Image_0, ?Image_0)
CatchImage(0, ?MyImageData_0)
CatchImage(#MyImage_1, ?MyImage_1)
CatchImage(#MyImage_2, ?MyImage_2)

;- Images
DataSection
  Image_0:
  IncludeBinary "Photo.Jpeg"
  MyImageData_0:
  IncludeBinary "plain.tga"
  MyImage_1:
  IncludeBinary "scan.tiff"
  MyImage_2:
  IncludeBinary "icons/ok.png"
EndDataSection

; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

Procedure Open_Main_Window()
  If OpenWindow(#Main_Window, 0, 0, 300, 200, MyLanguage("Open"), #PB_Window_SystemMenu)
    TextGadget(#Main_Window_Text_0, 10, 40, 80, 24, MyLanguage("Name:"))
    ImageGadget(#Main_Window_Image_0, 10, 70, 32, 32, ImageID(#MyImage_2))
  EndIf
EndProcedure
