; Tools window, written by hand
EnableExplicit

Global ToolsVisible = #False

Procedure Open_Window_Tools()
	If OpenWindow(#Window_Tools, 0, 0, 300, 200, "Tools, options", #PB_Window_SystemMenu | #PB_Window_ScreenCentered)
		If CreatePopupMenu(#Popup)
			menuitem(#Popup_Copy, "Copy\tCtrl+C")   ; lower-case command
			MenuItem(#Popup_Paste, "Paste\tCtrl+V") : MenuBar()
			DisableMenuItem(#Popup, #Popup_Paste, 1)
		EndIf
		CheckBoxGadget(#Check_Auto, 10, 10, 150, 20, "Automatic")
		If ButtonGadget(#Button_Run, 10, 40, 80, 24, "Run")
			GadgetToolTip(#Button_Run, "Start now")
		EndIf
		stringgadget(#String_Name, 10, 70, 200, 20, "")
    	TrackBarGadget(#Track_0, 10, 100, 200, 20, 0, 100)
		ButtonGadget(#Button_Left, 0, 0, 10, 10, "L")
		ButtonGadget(#Button_Right, 0, 0, 10, 10, "R")
		SplitterGadget(#Splitter_0, 10, 130, 280, 60, #Button_Left, #Button_Right, #PB_Splitter_Vertical)
		ImageGadget(#Image_Logo, 220, 10, 64, 64, LoadImage(#PB_Any, "images/open.PNG"))
		;ButtonGadget(#Button_Old, 0, 0, 1, 1, "old")
	EndIf
EndProcedure
