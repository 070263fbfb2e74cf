; Tools window, written by hand

Enumeration
  #Tools
EndEnumeration

Enumeration
  #Menu
  #Open
  #Recent_0
  #List
  #squares
  #Panel
  #Check
EndEnumeration

Procedure FillList()
  ClearGadgetItems(#List)
  For i = 1 To 3
    AddGadgetItem(#List, -1, "Item " + Str(i))
  Next
  SetGadgetState(#List, 0)
EndProcedure

Procedure.s AskName(title.s = "Name")
  ProcedureReturn InputRequester(title, "Your name:", "")
EndProcedure

Procedure Open_Tools()
  If OpenWindow(#Tools, 0, 0, 320, 300, "Tools", #PB_Window_SystemMenu)
    If CreateMenu(#Menu, WindowID(#Tools))
      MenuTitle("File")
      MenuItem(#Open, "Open")
      OpenSubMenu("Recent")
      For k = 0 To 3
        MenuItem(#Recent_0 + k, "Recent " + Str(k))
      Next
      CloseSubMenu()
      MenuItem(9, "Quit")
    EndIf
    BindMenuEvent(#Menu, #Open, @FillList())
    FrameGadget(12, 5, 5, 310, 200, "Items")
    ListViewGadget(#List, 10, 20, 200, 150)
    SetGadgetFont(#List, LoadFont(1, "Courier", 9))
    Squares = TextGadget(#PB_Any, 10, 180, 100, 20, "Squares")
    ButtonGadget(#squares, 120, 180, 100, 25, "Squares")
    SetGadgetText(#squares, FormatDate("%yyyy-%mm-%dd", Date()))
    PanelGadget(#Panel, 10, 210, 300, 80)
    AddGadgetItem(#Panel, -1, "First")
    CloseGadgetList()
    UseGadgetList(GadgetID(#Panel))
    CheckBoxGadget(#Check, 5, 5, 100, 20, "Check")
    FillList()
  EndIf
EndProcedure

Procedure Quit()
  If MessageRequester("Quit", "Really quit?", #PB_MessageRequester_YesNo) = #PB_MessageRequester_Yes
    End
  EndIf
EndProcedure
