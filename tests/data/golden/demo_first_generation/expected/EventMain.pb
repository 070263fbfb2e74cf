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

#CallEventMenuCount   = 5
#CallEventGadgetCount = 11
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
    Data.i @EventMenu_NotesWindow_MenuNew()
    Data.i @EventMenu_NotesWindow_MenuOpen()
    Data.i @EventMenu_NotesWindow_MenuSave()
    Data.i @EventMenu_NotesWindow_MenuQuit()
    Data.i @EventMenu_NotesWindow_MenuAbout()
  CallEventGadget:
    Data.i @EventGadget_NotesWindow_ListNotes()
    Data.i @MyEventDispatch()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_NotesWindow_StringTitle()
    Data.i @EventGadget_NotesWindow_EditorNote()
    Data.i @EventGadget_NotesWindow_ButtonAdd()
    Data.i @EventGadget_NotesWindow_ButtonDelete()
    Data.i @EventGadget_AboutWindow_ImageLogo()
    Data.i @MyEventDispatch()
    Data.i @EventGadget_AboutWindow_LinkHome()
    Data.i @EventGadget_AboutWindow_ButtonClose()
  CallEventSize:
    Data.i @EventSize_NotesWindow()
    Data.i @EventSize_AboutWindow()
  CallEventExit:
    Data.i @EventExit_NotesWindow()
    Data.i @EventExit_AboutWindow()
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.11 (Windows - x86)
; CursorPosition = 24
; FirstLine = 7
; Folding = -
; CompileSourceDirectory
