; Options window: the frames and labels are numbered by hand, the inputs have constants.

Enumeration
  #Window_Options
EndEnumeration

Enumeration
  #Check_Sound
  #Check_Music
  #Track_Volume
  #Button_Ok
EndEnumeration

Procedure Open_Window_Options()
  OpenWindow(#Window_Options, 0, 0, 320, 220, "Options", #PB_Window_SystemMenu)
  FrameGadget(0, 5, 5, 310, 90, "Sound")
  CheckBoxGadget(#Check_Sound, 15, 25, 200, 20, "Sound effects")
  CheckBoxGadget(#Check_Music, 15, 50, 200, 20, "Music")
  FrameGadget(1, 5, 100, 310, 70, "Volume")
  TrackBarGadget(#Track_Volume, 15, 125, 290, 30, 0, 100)
  TextGadget(2, 15, 180, 150, 20, "Changes apply at once.")
  ImageGadget(3, 170, 175, 24, 24, ImageID(LoadImage(#PB_Any, "speaker.png")))
  ButtonGadget(#Button_Ok, 215, 185, 100, 30, "OK")
EndProcedure
