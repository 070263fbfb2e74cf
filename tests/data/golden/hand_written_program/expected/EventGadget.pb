;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

Procedure EventGadget_Main_Lst_Notes(EventType)
  Selected = GetGadgetState(#Main_Lst_Notes)
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Str_Title(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Btn_Add(EventType)
  If ListSize(Notes()) < #MaxNotes
    AddElement(Notes())
    Notes()\Title = GetGadgetText(#Main_Str_Title)
    RefreshList()
  EndIf
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Main_Btn_Delete(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

