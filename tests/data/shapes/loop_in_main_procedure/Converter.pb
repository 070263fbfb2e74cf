;==================================================
; Temperature converter
; v1.2 - loop moved into Main() like on the forum
;==================================================

EnableExplicit

Enumeration Window
  #wndConv
EndEnumeration

Enumeration Gadget
  #strCelsius
  #strFahrenheit
  #btnToF
  #btnToC
  #btnClear
EndEnumeration

Global LastResult.d

Procedure.d ToFahrenheit(c.d)
  ProcedureReturn c * 9 / 5 + 32
EndProcedure

Procedure.d ToCelsius(f.d)
  ProcedureReturn (f - 32) * 5 / 9
EndProcedure

Procedure OpenConverter()
  OpenWindow(#wndConv, 100, 100, 260, 120, "Converter", #PB_Window_SystemMenu|#PB_Window_MinimizeGadget)
  StringGadget(#strCelsius, 10, 10, 100, 22, "0")
  StringGadget(#strFahrenheit, 150, 10, 100, 22, "32")
  ButtonGadget(#btnToF, 10, 45, 100, 25, "C -> F")
  ButtonGadget(#btnToC, 150, 45, 100, 25, "F -> C")
  ButtonGadget(#btnClear, 80, 85, 100, 25, "Clear")
EndProcedure

Procedure Main()
  Protected ev, value.d

  OpenConverter()

  Repeat
    ev = WaitWindowEvent()
    Select ev
      Case #PB_Event_Gadget
        Select EventGadget()
          Case #btnToF
            value = ValD(GetGadgetText(#strCelsius))
            LastResult = ToFahrenheit(value)
            SetGadgetText(#strFahrenheit, StrD(LastResult, 1))
          Case #btnToC
            value = ValD(GetGadgetText(#strFahrenheit))
            LastResult = ToCelsius(value)
            SetGadgetText(#strCelsius, StrD(LastResult, 1))
          Case #btnClear
            SetGadgetText(#strCelsius, "") : SetGadgetText(#strFahrenheit, "")
            Debug "cleared"
        EndSelect
      Case #PB_Event_CloseWindow
        CloseWindow(#wndConv)
        Break
    EndSelect
  ForEver
EndProcedure : Main()
