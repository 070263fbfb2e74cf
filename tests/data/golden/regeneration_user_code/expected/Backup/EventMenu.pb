;-TOP

; Quarvel Event Menu

; ***************************************************************************************

Procedure EventMenu_Window_0_Save()
  Debug "saving " + GetGadgetText(#Window_0_String_0)
EndProcedure

; ***************************************************************************************

Procedure EventMenu_Window_0_Save2()
  
EndProcedure

; ***************************************************************************************

