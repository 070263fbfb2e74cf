; Main window of the tool, written by hand.

Global hWnd, btnRun, lstFiles

LoadImage( #Img_Logo, "logo.png")

Procedure ShowMainWindow()
  hWnd = OpenWindow(#PB_Any, 100, 100, 400, 300, "File Tool", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  If hWnd
    lstFiles = ListViewGadget(#PB_Any, 10, 10, 380, 240)
    btnRun = ButtonGadget(#PB_Any, 10, 260, 100, 25, "Run")
    TextGadget(#PB_Any, 120, 264, 200, 20, "Pick files, then Run.")
    ImageGadget(#PB_Any, 330, 255, 32, 32, ImageID(#Img_Logo))
  EndIf
EndProcedure

Procedure OpenWindow_Options(parent)
  If OpenWindow(#Options, 0, 0, 240, 120, "Options", #PB_Window_SystemMenu, WindowID(parent))
    CheckBoxGadget(#Chk_Recurse, 10, 10, 200, 20, "Recurse into folders")
  EndIf
EndProcedure
