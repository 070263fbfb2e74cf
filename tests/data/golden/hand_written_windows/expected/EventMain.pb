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

#CallEventMenuCount   = 8
#CallEventGadgetCount = 3
#CallEventWindowCount = 6

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
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @EventMenu_About_MenuItem_7()
  CallEventGadget:
    Data.i @EventGadget_hWnd_lstFiles()
    Data.i @EventGadget_hWnd_btnRun()
    Data.i @EventGadget_Options_Chk_Recurse()
  CallEventSize:
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @EventSize_Window_2()
    Data.i @EventSize_hWnd()
    Data.i @EventSize_Options()
    Data.i @EventSize_About()
  CallEventExit:
    Data.i @MyEventIgnore()
    Data.i @MyEventIgnore()
    Data.i @EventExit_Window_2()
    Data.i @EventExit_hWnd()
    Data.i @EventExit_Options()
    Data.i @EventExit_About()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
