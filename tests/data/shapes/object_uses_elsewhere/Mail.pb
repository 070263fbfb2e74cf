; Mail window: the window procedure builds it, other procedures fill and bind it.

Enumeration
  #Window_Mail
  #Window_Compose
EndEnumeration

Enumeration
  #Menu_Mail
EndEnumeration

Enumeration
  #Open
  #Refresh
  #Send
EndEnumeration

Enumeration
  #List
  #Preview
  #To
  #Body
EndEnumeration

Procedure OnRefresh()
  ClearGadgetItems(#List)
EndProcedure

Procedure Open_Window_Mail()
  OpenWindow(#Window_Mail, 0, 0, 600, 400, "Mail", #PB_Window_SystemMenu)
  CreateMenu(#Menu_Mail, WindowID(#Window_Mail))
  MenuTitle("Mail")
  MenuItem(#Open, "Open")
  MenuItem(#Refresh, "Refresh")
  ListViewGadget(#List, 10, 10, 200, 380)
  EditorGadget(#Preview, 220, 10, 370, 380, #PB_Editor_ReadOnly)
EndProcedure

Procedure FillMail()
  Protected i
  For i = 1 To 5
    AddGadgetItem(#List, -1, "Message " + Str(i))
  Next
  SetGadgetState(#List, 0)
  SendMessage_(GadgetID(#List), #LB_SETTOPINDEX, 0, 0)
  BindMenuEvent(#Menu_Mail, #Refresh, @OnRefresh())
EndProcedure

Procedure Open_Window_Compose()
  OpenWindow(#Window_Compose, 0, 0, 400, 300, "Compose", #PB_Window_SystemMenu)
  StringGadget(#To, 10, 10, 380, 25, "")
  EditorGadget(#Body, 10, 45, 380, 210)
EndProcedure

Procedure ClearCompose()
  SetGadgetText(#To, "")
  SetGadgetText(#Body, "")
EndProcedure
