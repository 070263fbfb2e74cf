; Gallery -- shows two pictures, paths set up before the window
UsePNGImageDecoder()

#IMAGE_SMALL = 0
#IMAGE_BIG   = 1
#ICON_FILE$  = "icons/open.png"
#TEXT        = "Pick a picture"
#FLAGS       = #PB_Window_SystemMenu | #PB_Window_ScreenCentered

Global ImagePath$ = GetPathPart(ProgramFilename())
File.s = ImagePath$ + "small.png"

LoadImage(#IMAGE_SMALL, File)
LoadImage(#IMAGE_BIG, #PB_Compiler_Home + "examples/sources/Data/PureBasicLogo.bmp")
LoadImage(2, ImagePath$ + #ICON_FILE$)

Enumeration
  #Win_Gallery
EndEnumeration

Enumeration
  #Btn_Open
  #Img_Big
EndEnumeration

Procedure Open_Gallery()
  If OpenWindow(#Win_Gallery, 0, 0, 400, 260, #TEXT, #FLAGS)
    ButtonImageGadget(#Btn_Open, 10, 10, 48, 48, ImageID(#IMAGE_SMALL))
    GadgetToolTip(#Btn_Open, #TEXT)
    ImageGadget(#Img_Big, 70, 10, 320, 240, ImageID(#IMAGE_BIG))
  EndIf
EndProcedure
