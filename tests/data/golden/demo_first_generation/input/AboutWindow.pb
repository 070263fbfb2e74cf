; The About box of the Notes demo, written by hand.

Enumeration
  #AboutWindow
EndEnumeration

Procedure Open_AboutWindow()
	If OpenWindow(#AboutWindow, 0, 0, 320, 150, "About Notes", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
		ImageGadget(#ImageLogo, 10, 10, 48, 48, LoadImage(0, "icons/notes.png"))
		TextGadget(#TextAbout, 70, 15, 240, 40, "Notes 1.0 - generated with Quarvel")
		HyperLinkGadget(#LinkHome, 70, 60, 240, 20, "Project page", RGB(0, 0, 200)) ; opens the browser
		ButtonGadget(#ButtonClose, 220, 110, 90, 28, "Close")
		SetActiveGadget(#ButtonClose)
	EndIf
EndProcedure
