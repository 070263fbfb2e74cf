; Калькулятор - складывает два числа
; автор: Саша, 2018

Enumeration
  #WinCalc
EndEnumeration

Enumeration
  #StrA
  #StrB
  #BtnAdd
  #TxtResult
EndEnumeration

Procedure OpenCalc()
  OpenWindow(#WinCalc, 0, 0, 280, 130, "Калькулятор", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
  StringGadget(#StrA, 10, 10, 120, 22, "0")
  StringGadget(#StrB, 150, 10, 120, 22, "0")
  ButtonGadget(#BtnAdd, 10, 45, 260, 30, "Сложить")
  TextGadget(#TxtResult, 10, 90, 260, 20, "Результат: ")
EndProcedure

Procedure Calculate()
  ; считаем сумму
  Protected Sum.d = ValD(GetGadgetText(#StrA)) + ValD(GetGadgetText(#StrB))
  SetGadgetText(#TxtResult, "Результат: " + StrD(Sum))
EndProcedure
