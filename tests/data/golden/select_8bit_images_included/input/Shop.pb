; Shop window, hand-written
LoadImage(#Image_Logo, "art/Logo.JPEG")
LoadImage(#Image_Cart, "art/cart.png")
LoadFont(#Font_Big, "Verdana", 14)

Procedure Open_ShopWindow()
  If OpenWindow(#ShopWindow, 100, 100, 400, 260, "Shop", #PB_Window_SystemMenu)
    If CreatePopupMenu(#Menu_Items)
      MenuItem(#Item_Remove, "Remove\tDel")
      MenuItem(#Item_Clear, "Clear all")
    EndIf
    ImageGadget(#Image_Top, 10, 10, 380, 60, ImageID(#Image_Logo))
    ListIconGadget(#List_Items, 10, 80, 380, 120, "Article", 200)
    AddGadgetColumn(#List_Items, 1, "Price", 100)
    ButtonImageGadget(#Button_Pay, 10, 210, 120, 40, ImageID(LoadImage(#PB_Any, "art/pay.tga")))
    ButtonImageGadget(#Button_Back, 140, 210, 120, 40, ImageID(LoadImage(#PB_Any, "ART/CART.PNG")))
    TextGadget(#Text_Sum, 270, 220, 120, 20, "Total:")
    SetGadgetFont(#Text_Sum, FontID(#Font_Big))
  EndIf
EndProcedure
