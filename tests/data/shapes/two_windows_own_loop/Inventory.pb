; Inventory: a main window and an item window, each built by a routine of its own.

EnableExplicit

Enumeration
  #Win_Main
  #Win_Item
EndEnumeration

Enumeration
  #Lst_Items
  #Btn_New
  #Btn_Edit
  #Txt_Count
  #Str_Name
  #Spn_Amount
  #Btn_Ok
  #Btn_Cancel
EndEnumeration

Structure Item
  Name.s
  Amount.i
EndStructure

Global NewList Items.Item()
Global EditIndex = -1

Procedure UpdateCount()
  SetGadgetText(#Txt_Count, Str(ListSize(Items())) + " items")
EndProcedure

Procedure OpenMainWindow()
  If OpenWindow(#Win_Main, 100, 100, 400, 300, "Inventory", #PB_Window_SystemMenu | #PB_Window_MinimizeGadget)
    ListIconGadget(#Lst_Items, 5, 5, 390, 250, "Name", 250, #PB_ListIcon_FullRowSelect | #PB_ListIcon_GridLines)
    AddGadgetColumn(#Lst_Items, 1, "Amount", 100)
    ButtonGadget(#Btn_New, 5, 265, 80, 28, "New")
    ButtonGadget(#Btn_Edit, 90, 265, 80, 28, "Edit")
    TextGadget(#Txt_Count, 200, 270, 195, 20, "", #PB_Text_Right)
    UpdateCount()
  EndIf
EndProcedure

Procedure OpenItemWindow()
  If OpenWindow(#Win_Item, 0, 0, 260, 120, "Item", #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(#Win_Main))
    StringGadget(#Str_Name, 5, 5, 250, 25, "")
    SpinGadget(#Spn_Amount, 5, 40, 100, 25, 0, 9999, #PB_Spin_Numeric)
    ButtonGadget(#Btn_Ok, 90, 85, 80, 28, "OK")
    ButtonGadget(#Btn_Cancel, 175, 85, 80, 28, "Cancel")
  EndIf
EndProcedure

Define Event, Quit

OpenMainWindow()

Repeat
  Event = WaitWindowEvent()
  Select EventWindow()
    Case #Win_Main
      If Event = #PB_Event_CloseWindow
        Quit = #True
      ElseIf Event = #PB_Event_Gadget And EventGadget() = #Btn_New
        OpenItemWindow()
      EndIf
    Case #Win_Item
      If Event = #PB_Event_CloseWindow Or (Event = #PB_Event_Gadget And EventGadget() = #Btn_Cancel)
        CloseWindow(#Win_Item)
      EndIf
  EndSelect
Until Quit
End
