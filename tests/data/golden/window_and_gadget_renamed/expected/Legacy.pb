; Legacy helpers, 8-bit: café
Procedure ClearInput()
  SetGadgetText(#Main_String_0, "")
EndProcedure
