;-TOP

; Quarvel Event Gadget

; ***************************************************************************************

; Written before the form assigned the procedure to the list.
Procedure ContactSelect(EventType)
  If EventType = #PB_EventType_LeftDoubleClick
    Debug "open the contact"
  EndIf
EndProcedure

; ***************************************************************************************

Procedure ContactAdd(EventType)
  
EndProcedure

; ***************************************************************************************

Procedure ContactDelete(EventType)
  
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_Main_List_Contacts(EventType)
  ContactSelect(EventType)
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_Main_Button_Add(EventType)
  ContactAdd(EventType)
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_Main_Button_Del(EventType)
  ContactDelete(EventType)
EndProcedure

; ***************************************************************************************

Procedure EventGadget_Window_Main_Image_Photo(EventType)
  
  Select EventType
    Case #PB_EventType_LeftClick
      
  EndSelect
  
EndProcedure

; ***************************************************************************************

; IDE Options = PureBasic 6.10 LTS (Windows - x64)
