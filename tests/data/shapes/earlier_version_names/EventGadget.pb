;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Main_Lst_Basket(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Btn_Pay(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      ClearGadgetItems(#Main_Lst_Basket)
      StatusBarText(#Status, 0, "Paid, thank you")
  EndSelect
  
EndProcedure

; ***************************************************************************************

