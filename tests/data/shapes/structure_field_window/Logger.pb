; Logger -- all window handles live in one structure
EnableExplicit

Structure UI
  hwnd.i
  btnGo.i
  btnClear.i
  edtLog.i
EndStructure

Global *ui.UI = AllocateStructure(UI)

Procedure AddLog(Text$)
  AddGadgetItem(*ui\edtLog, -1, FormatDate("%hh:%ii:%ss ", Date()) + Text$)
EndProcedure

Procedure OpenUI()
  *ui\hwnd = OpenWindow(#PB_Any, 0, 0, 400, 260, "Logger", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  HideWindow(*ui\hwnd, #True)
  *ui\btnGo    = ButtonGadget(#PB_Any, 10, 10, 120, 26, "Go")
  *ui\btnClear = ButtonGadget(#PB_Any, 140, 10, 120, 26, "Clear")
  *ui\edtLog   = EditorGadget(#PB_Any, 10, 45, 380, 205, #PB_Editor_ReadOnly)
EndProcedure

Define Event

OpenUI()
AddLog("started")
HideWindow(*ui\hwnd, #False)

Repeat
  Event = WaitWindowEvent()
  If Event = #PB_Event_Gadget
    Select EventGadget()
      Case *ui\btnGo
        AddLog("go pressed")
      Case *ui\btnClear
        ClearGadgetItems(*ui\edtLog)
    EndSelect
  EndIf
Until Event = #PB_Event_CloseWindow
FreeStructure(*ui)
