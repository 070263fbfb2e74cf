; Quarvel LoadLanguage

; *********************************************************************************************************

; Constant Allways Overwrite
#MaxLanguage = 3

Global NewMap MyLanguage.s()

; *********************************************************************************************************

Procedure LoadLanguage()
  
  Protected path.s, temp.s, entry.s, text.s, index
  
  path = GetPathPart(ProgramFilename()) + "Catalog"
  
  Restore DefaultLanguage
  For index = 1 To #MaxLanguage
    Read.s entry
    MyLanguage(entry) = entry
  Next
  
  ; Can be changed from her...
  If ReadFile(0, path)
    While Not Eof(0)
      temp = ReadString(0)
      entry = Trim(StringField(temp, 1, ";"), #DQUOTE$)
      text = Trim(StringField(temp, 2, ";"), #DQUOTE$)
      If text <> ""
        MyLanguage(entry) = text
      Else
        MyLanguage(entry) = entry
      EndIf
    Wend
    
    CloseFile(0)
  EndIf
  
EndProcedure

; *********************************************************************************************************

LoadLanguage()

; *********************************************************************************************************

DataSection
  ; Part Allways Overwrite
  DefaultLanguage:
  Data.s "Shop"
  Data.s "Basket empty"
  Data.s "Pay"
  EndDefaultLanguage:
  ; End Part Allways Overwrite
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 (Windows - x86)
; CursorPosition = 23
; FirstLine = 3
; Folding = -
