; Search files -- variables for the objects, no constants
EnableExplicit

Global W = OpenWindow(#PB_Any, 0, 0, 420, 300, "Search",
                      #PB_Window_SystemMenu | #PB_Window_SizeGadget | #PB_Window_ScreenCentered)
Global Pattern = StringGadget(#PB_Any, 10, 10, 300, 24, "*.pb")
Global Go = ButtonGadget(#PB_Any, 320, 10, 90, 24, "Search")
Global Results = ListViewGadget(#PB_Any, 10, 45, 400, 245)

Define Event

Repeat
  Event = WaitWindowEvent()
  Select Event
    Case #PB_Event_Gadget
      If EventGadget() = Go
        ClearGadgetItems(Results)
        If ExamineDirectory(0, GetCurrentDirectory(), GetGadgetText(Pattern))
          While NextDirectoryEntry(0)
            AddGadgetItem(Results, -1, DirectoryEntryName(0))
          Wend
          FinishDirectory(0)
        EndIf
      EndIf
    Case #PB_Event_SizeWindow
      ResizeGadget(Results, #PB_Ignore, #PB_Ignore, WindowWidth(W) - 20, WindowHeight(W) - 55)
  EndSelect
Until Event = #PB_Event_CloseWindow
