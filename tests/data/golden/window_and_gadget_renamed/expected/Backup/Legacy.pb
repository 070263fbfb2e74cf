; Legacy helpers, 8-bit: café
Procedure ClearInput()
  SetGadgetText(#Window_0_String_0, "")
EndProcedure
