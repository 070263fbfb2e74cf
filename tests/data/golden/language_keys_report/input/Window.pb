Procedure Open_Window_0()
  If OpenWindow(#Window_0, 0, 0, 300, 200, "Notes", #PB_Window_SystemMenu)
    ButtonGadget(#Button_Save, 10, 10, 80, 24, "Save")
    ButtonGadget(#Button_Close, 10, 40, 80, 24, "Close")
  EndIf
EndProcedure
