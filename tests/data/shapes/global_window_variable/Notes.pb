; Notes: the window is opened once at the start of the program.

Global Window_0 = OpenWindow(#PB_Any, 0, 0, 360, 260, "Notes", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
Global Editor_0 = EditorGadget(#PB_Any, 5, 5, 350, 220)
Global Button_Clear = ButtonGadget(#PB_Any, 5, 230, 80, 25, "Clear")

Repeat
  Define Event = WaitWindowEvent()
  If Event = #PB_Event_Gadget And EventGadget() = Button_Clear
    ClearGadgetItems(Editor_0)
  EndIf
Until Event = #PB_Event_CloseWindow
