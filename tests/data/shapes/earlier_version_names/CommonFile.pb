; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #Main
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
  #Main_Lst_Basket
  #Main_Btn_Pay
EndEnumeration

;- StatusBar Constants
;
Enumeration
  #Status
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

;- Catch Images

;- Images
DataSection
EndDataSection

; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

; Shop -- the till of our little shop
Enumeration
  ; #Main
EndEnumeration

Enumeration
  ; #Status
EndEnumeration

Enumeration
  #Lst_Basket
  #Btn_Pay
EndEnumeration

; ***************************************************************************************

Procedure Open_Main()
  If OpenWindow(#Main, #PB_Ignore, #PB_Ignore, 300, 240, MyLanguage("Shop"), #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
    CreateStatusBar(#Status, WindowID(#Main))
    AddStatusBarField(#PB_Ignore)
    StatusBarText(#Status, 0, MyLanguage("Basket empty"))
    ListViewGadget(#Main_Lst_Basket, 10, 10, 280, 160)
    ButtonGadget(#Main_Btn_Pay, 10, 180, 280, 30, MyLanguage("Pay"))
  EndIf
EndProcedure

; ***************************************************************************************

