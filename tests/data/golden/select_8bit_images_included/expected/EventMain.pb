;-TOP

; Quarvel EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  Select MenuID
    Case #ShopWindow_Item_Remove : EventMenu_ShopWindow_Item_Remove()
    Case #ShopWindow_Item_Clear : EventMenu_ShopWindow_Item_Clear()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  Select GadgetID
    Case #ShopWindow_Image_Top : EventGadget_ShopWindow_Image_Top(EventType)
    Case #ShopWindow_List_Items : EventGadget_ShopWindow_List_Items(EventType)
    Case #ShopWindow_Button_Pay : EventGadget_ShopWindow_Button_Pay(EventType)
    Case #ShopWindow_Button_Back : EventGadget_ShopWindow_Button_Back(EventType)
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  Select WindowID
    Case #ShopWindow : EventSize_ShopWindow()
  EndSelect
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  Select WindowID
    Case #ShopWindow : EventExit_ShopWindow()
  EndSelect
EndProcedure

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 Beta 1 (Windows - x86)
; CursorPosition = 33
; FirstLine = 4
; Folding = -
