; Unit factors
Procedure.d UnitFactor(unit)
  Select unit
    Case 0 : ProcedureReturn 1.0
    Case 1 : ProcedureReturn 1000.0
  EndSelect
  ProcedureReturn 1.0
EndProcedure
