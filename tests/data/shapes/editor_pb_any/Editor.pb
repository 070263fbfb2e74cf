; Minimal text editor with #PB_Any objects

Global hWnd, edText, btnOpen, btnSave, txtStatus
Global CurrentFile$

Procedure LoadText(File$)
  Protected f = ReadFile(#PB_Any, File$)
  If f
    SetGadgetText(edText, ReadString(f, #PB_File_IgnoreEOL))
    CloseFile(f)
    CurrentFile$ = File$
    SetGadgetText(txtStatus, File$)
  EndIf
EndProcedure

Procedure SaveText()
  Protected f
  If CurrentFile$ = ""
    CurrentFile$ = SaveFileRequester("Save as", "", "Text (*.txt)|*.txt", 0)
  EndIf
  f = CreateFile(#PB_Any, CurrentFile$)
  If f
    WriteString(f, GetGadgetText(edText))
    CloseFile(f)
  EndIf
EndProcedure

hWnd = OpenWindow(#PB_Any, 0, 0, 640, 480, "Editor", #PB_Window_SystemMenu | #PB_Window_SizeGadget | #PB_Window_ScreenCentered)
If hWnd
  btnOpen = ButtonGadget(#PB_Any, 5, 5, 80, 25, "Open...")
  btnSave = ButtonGadget(#PB_Any, 90, 5, 80, 25, "Save")
  edText = EditorGadget(#PB_Any, 5, 35, 630, 415)
  txtStatus = TextGadget(#PB_Any, 5, 455, 630, 20, "No file")

  Repeat
    Select WaitWindowEvent()
      Case #PB_Event_Gadget
        Select EventGadget()
          Case btnOpen
            LoadText(OpenFileRequester("Open", "", "Text (*.txt)|*.txt", 0))
          Case btnSave
            SaveText()
        EndSelect
      Case #PB_Event_SizeWindow
        ResizeGadget(edText, 5, 35, WindowWidth(hWnd) - 10, WindowHeight(hWnd) - 65)
      Case #PB_Event_CloseWindow
        Break
    EndSelect
  ForEver
EndIf
