; Quarvel Commonfile (Do Not Edit - Allways Overwrite)

; ***************************************************************************************

;- Window Constants
;
Enumeration
  #ShopWindow
EndEnumeration

;- Menubar Constants
;
Enumeration
  #ShopWindow_Menu_Items
EndEnumeration

;- MenuItem Constants
;
Enumeration
  #ShopWindow_Item_Remove
  #ShopWindow_Item_Clear
EndEnumeration

;- Gadget Constants
;
Enumeration
  #ShopWindow_Image_Top
  #ShopWindow_List_Items
  #ShopWindow_Button_Pay
  #ShopWindow_Button_Back
  #ShopWindow_Text_Sum
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
  #Font_Big
EndEnumeration

;- Image Constants
;
Enumeration
  #Image_Logo
  #Image_Cart
  #MyImage_0
EndEnumeration


; ***************************************************************************************

;- Load Font
LoadFont(#Font_Big, "Verdana", 14)

;- Image Plugin

UseJPEGImageDecoder()
UseJPEG2000ImageDecoder()
UsePNGImageDecoder()
UseTGAImageDecoder()

;- Catch Images
CatchImage(#Image_Logo, ?Image_Logo)
CatchImage(#Image_Cart, ?Image_Cart)
CatchImage(#MyImage_0, ?MyImage_0)

;- Images
DataSection
  Image_Logo:
  IncludeBinary "art/Logo.JPEG"
  Image_Cart:
  IncludeBinary "art/cart.png"
  MyImage_0:
  IncludeBinary "art/pay.tga"
EndDataSection

; ***************************************************************************************

IncludeFile "LoadLanguage.pb"

; ***************************************************************************************

Procedure Open_ShopWindow()
  If OpenWindow(#ShopWindow, 100, 100, 400, 260, MyLanguage("Shop"), #PB_Window_SystemMenu)
    If CreatePopupMenu(#ShopWindow_Menu_Items)
      MenuItem(#ShopWindow_Item_Remove, MyLanguage("Remove") + #TAB$ + "Del")
      MenuItem(#ShopWindow_Item_Clear, MyLanguage("Clear all"))
    EndIf
    ImageGadget(#ShopWindow_Image_Top, 10, 10, 380, 60, ImageID(#Image_Logo))
    ListIconGadget(#ShopWindow_List_Items, 10, 80, 380, 120, MyLanguage("Article"), 200)
    AddGadgetColumn(#ShopWindow_List_Items, 1, MyLanguage("Price"), 100)
    ButtonImageGadget(#ShopWindow_Button_Pay, 10, 210, 120, 40, ImageID(#MyImage_0))
    ButtonImageGadget(#ShopWindow_Button_Back, 140, 210, 120, 40, ImageID(#Image_Cart))
    TextGadget(#ShopWindow_Text_Sum, 270, 220, 120, 20, MyLanguage("Total:"))
    SetGadgetFont(#ShopWindow_Text_Sum, FontID(#Font_Big))
  EndIf
EndProcedure

; ***************************************************************************************

