; Quarvel LoadLanguage

; *********************************************************************************************************

; Constant Allways Overwrite
#MaxLanguage = 19

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
  Data.s "Notes"
  Data.s "File"
  Data.s "New"
  Data.s "Open..."
  Data.s "Save"
  Data.s "Quit"
  Data.s "Help"
  Data.s "About Notes"
  Data.s "New note"
  Data.s "Open notes"
  Data.s "Save notes"
  Data.s "Ready"
  Data.s "Details"
  Data.s "Title:"
  Data.s "Add"
  Data.s "Delete"
  Data.s "Notes 1.0 - generated with Quarvel"
  Data.s "Project page"
  Data.s "Close"
  EndDefaultLanguage:
  ; End Part Allways Overwrite
EndDataSection

; *********************************************************************************************************

; IDE Options = PureBasic 5.10 (Windows - x86)
; CursorPosition = 23
; FirstLine = 3
; Folding = -
