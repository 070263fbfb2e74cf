; Clock -- the time in a big font, the date in a small one
#FONT_NAME$ = "Courier New"
#FONT_SIZE  = 24

Enumeration
  #Font_Big
  #Font_Small
EndEnumeration

LoadFont(#Font_Big, #FONT_NAME$, #FONT_SIZE, #PB_Font_Bold)
LoadFont(#Font_Small, "Arial", 9)

Enumeration
  #Win_Clock
EndEnumeration

Enumeration
  #Txt_Time
  #Txt_Date
  #Btn_Now
EndEnumeration

Procedure ShowTime()
  SetGadgetText(#Txt_Time, FormatDate("%hh:%ii:%ss", Date()))
  SetGadgetText(#Txt_Date, FormatDate("%dd.%mm.%yyyy", Date()))
EndProcedure

Procedure Open_Clock()
  If OpenWindow(#Win_Clock, 0, 0, 240, 120, "Clock", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    TextGadget(#Txt_Time, 10, 10, 220, 40, "")
    SetGadgetFont(#Txt_Time, FontID(#Font_Big))
    TextGadget(#Txt_Date, 10, 55, 220, 20, "")
    SetGadgetFont(#Txt_Date, FontID(#Font_Small))
    ButtonGadget(#Btn_Now, 10, 85, 100, 25, "Now")
    ShowTime()
  EndIf
EndProcedure
