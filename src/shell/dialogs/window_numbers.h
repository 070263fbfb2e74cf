// The fixed window and gadget numbers of every window of the desktop program. An event names
// its window, and the window's class (WindowEvents) knows the gadgets it placed.
#pragma once

namespace quarvel {

enum WindowNumber : int {
    MainWindow = 0,
    OptionsWindow = 1,
    BindWindow = 2,
    UserGadgetWindow = 3,
    LicenceWindow = 4,
    ChangesWindow = 5,
};

enum GadgetNumber : int {
    CommandButton = 0,
    CommonFileListView = 1,
    LogList = 2,
    ParendBox = 3,
    PBIgnoreBox = 4,
    MultilangBox = 5,
    ImageIncludeBox = 6,
    ImageNullBox = 7,
    StartButton = 8,
    UseCallFastBox = 9,
    Utf8Box = 10,
    // The bind dialog.
    OldEntryLabel = 11,
    NewEntryLabel = 12,
    TodoListLabel = 13,
    OldEntryList = 14,
    NewEntryList = 15,
    TodoList = 16,
    BindButton = 17,
    ReleaseButton = 18,
    ContinueButton = 19,
    // The user gadget window.
    UserGadgetList = 20,
    UserGadgetAdd = 21,
    UserGadgetDel = 22,
    UserGadgetOk = 23,
    LicenceList = 24,
    BindSuggestedButton = 25,
};

} // namespace quarvel
