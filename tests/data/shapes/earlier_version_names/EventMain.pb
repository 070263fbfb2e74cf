;-TOP

; Quarvel EventMain (Do Not Edit - Allways Overwrite)

; *********************************************************************************************************

; Init Event Pointer

Prototype MyProtoInvoke()
Prototype MyProtoInvoke1(EventType)

Structure udtCallEvent
  Invoke.MyProtoInvoke[0]
EndStructure

Structure udtCallEvent1
  Invoke.MyProtoInvoke1[0]
EndStructure

Global *CallEventMenu.udtCallEvent    = ?CallEventMenu
Global *CallEventGadget.udtCallEvent1 = ?CallEventGadget
Global *CallEventSize.udtCallEvent    = ?CallEventSize
Global *CallEventExit.udtCallEvent    = ?CallEventExit

#CallEventMenuCount   = 0
#CallEventGadgetCount = 2
#CallEventWindowCount = 1

; *********************************************************************************************************

Procedure MyEventMenu(MenuID)
  If MenuID >= 0 And MenuID < #CallEventMenuCount
    *CallEventMenu\Invoke[MenuID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventGadget(GadgetID, EventType)
  If GadgetID >= 0 And GadgetID < #CallEventGadgetCount
    *CallEventGadget\Invoke[GadgetID](EventType)
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventSize(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventSize\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventExit(WindowID)
  If WindowID >= 0 And WindowID < #CallEventWindowCount
    *CallEventExit\Invoke[WindowID]()
  EndIf
EndProcedure

; *********************************************************************************************************

Procedure MyEventDispatch(EventType)
  
EndProcedure

; *********************************************************************************************************

DataSection
  CallEventMenu:
  CallEventGadget:
    Data.i @EventGadget_Main_Lst_Basket()
    Data.i @EventGadget_Main_Btn_Pay()
  CallEventSize:
    Data.i @EventSize_Main()
  CallEventExit:
    Data.i @EventExit_Main()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
