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

#CallEventMenuCount   = 13
#CallEventGadgetCount = 20
#CallEventWindowCount = 2

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

Procedure MyEventIgnore()
  
EndProcedure

; *********************************************************************************************************

DataSection
  CallEventMenu:
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @EventMenu_Editor_MenuItem_2()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @EventMenu_Tools_MenuItem_9()
    Data.i @EventMenu_Tools_Open()
    Data.i @EventMenu_Editor_Menu_Save()
    Data.i @EventMenu_Tools_Recent_0()
  CallEventGadget:
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_Tools_List()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_Tools_squares()
    Data.i @EventGadget_Tools_Panel()
    Data.i @EventGadget_Tools_Check()
    Data.i @EventGadget_Editor_Editor_Text()
    Data.i @EventGadget_Editor_Button_Save()
  CallEventSize:
    Data.i @EventSize_Tools()
    Data.i @EventSize_Editor()
  CallEventExit:
    Data.i @EventExit_Tools()
    Data.i @EventExit_Editor()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
