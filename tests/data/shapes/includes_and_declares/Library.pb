; Library manager: books in a map, helpers in an include, forward declarations.

XIncludeFile "Strings.pbi"

Macro Quote(text)
  Chr(34) + text + Chr(34)
EndMacro

Prototype.i SortCallback(*a, *b)

Structure Book
  Title.s
  Author.s
  Year.i
EndStructure

Global NewMap Books.Book()
Global Dim Shelves.s(9)
Global Sorter.SortCallback

Declare FillBooks()

#Window_Library = 0

Enumeration #PB_Compiler_EnumerationValue
  #Window_Book
EndEnumeration

Enumeration
  #ListIcon_Books
  #String_Search
  #Button_Find
  #String_Title
  #String_Author
  #Button_Store
EndEnumeration

Procedure OpenLibrary()
  OpenWindow(#Window_Library, 0, 0, 500, 400, "Library", #PB_Window_SystemMenu)
  StringGadget(#String_Search, 10, 10, 380, 25, "")
  ButtonGadget(#Button_Find, 400, 10, 90, 25, "Find")
  ListIconGadget(#ListIcon_Books, 10, 45, 480, 345, "Title", 250)
  AddGadgetColumn(#ListIcon_Books, 1, "Author", 200)
  FillBooks()
EndProcedure

Procedure OpenBook(parent)
  OpenWindow(#Window_Book, 0, 0, 300, 130, "Book", #PB_Window_SystemMenu | #PB_Window_WindowCentered, WindowID(parent))
  StringGadget(#String_Title, 10, 10, 280, 25, "")
  StringGadget(#String_Author, 10, 45, 280, 25, "")
  ButtonGadget(#Button_Store, 190, 90, 100, 30, "Store")
EndProcedure

Procedure FillBooks()
  ClearGadgetItems(#ListIcon_Books)
  ForEach Books()
    AddGadgetItem(#ListIcon_Books, -1, Books()\Title + #LF$ + Quote(Books()\Author))
  Next
EndProcedure

Procedure StoreBook()
  Protected key.s = TrimAll(GetGadgetText(#String_Title))
  Books(key)\Title = key
  Books()\Author = GetGadgetText(#String_Author)
EndProcedure
