; 记事本 —— 一个简单的记事本程序
; 作者：小王   2020年

Enumeration
  #Win_Note
EndEnumeration

Enumeration
  #Edit_Text
  #Btn_Save
  #Btn_Open
  #Txt_State
EndEnumeration

Procedure OpenNote()
  OpenWindow(#Win_Note, 0, 0, 400, 300, "记事本", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  EditorGadget(#Edit_Text, 5, 5, 390, 240)
  ButtonGadget(#Btn_Open, 5, 255, 90, 30, "打开")   ; 打开文件
  ButtonGadget(#Btn_Save, 100, 255, 90, 30, "保存") ; 保存文件
  TextGadget(#Txt_State, 200, 262, 190, 20, "就绪")
EndProcedure

Procedure ShowState(Text$)
  SetGadgetText(#Txt_State, Text$)
EndProcedure

Procedure SaveNote()
  If CreateFile(0, "笔记.txt")
    WriteString(0, GetGadgetText(#Edit_Text))
    CloseFile(0)
    ShowState("已保存")
  Else
    MessageRequester("错误", "无法保存文件！")
  EndIf
EndProcedure
