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

; IDE Options = PureBasic 6.10 LTS (Windows - x64)
