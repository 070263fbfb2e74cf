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

#CallEventMenuCount   = 3
#CallEventGadgetCount = 5
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

; *********************************************************************************************************

DataSection
  CallEventMenu:
    Data.i @EventMenu_Main_Mnu_New()
    Data.i @EventMenu_Main_Mnu_Quit()
    Data.i @EventMenu_Main_Mnu_About()
  CallEventGadget:
    Data.i @EventGadget_Main_Lst_Notes()
    Data.i @EventGadget_Main_Str_Title()
    Data.i @EventGadget_Main_Btn_Add()
    Data.i @EventGadget_Main_Btn_Delete()
    Data.i @MyEventDispatch()
  CallEventSize:
    Data.i @EventSize_About()
    Data.i @EventSize_Main()
  CallEventExit:
    Data.i @EventExit_About()
    Data.i @EventExit_Main()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
