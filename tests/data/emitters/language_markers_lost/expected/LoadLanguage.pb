; my own loader
#MaxLanguage = 5
Global NewMap MyLanguage.s()
DataSection
  Languages:
  Data.s "Hello", "World"
EndDataSection
