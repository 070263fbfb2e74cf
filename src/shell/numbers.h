// The fixed window, gadget and command numbers the dispatchers switch on.
#pragma once

namespace quarvel {

enum WindowNumber : int {
    MainWindow = 0,
    OptionsWindow = 1,
    BindWindow = 2,
    UserGadgetWindow = 3,
    LicenceWindow = 4,
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
};

enum CommandNumber : int {
    CommandProjectNew = 0,
    CommandProjectLoad = 1,
    CommandProjectSave = 2,
    CommandProjectSaveAs = 3,
    CommandUserGadget = 4,
    CommandExit = 5,
    CommandCommonAdd = 6,
    CommandCommonDelete = 7,
    CommandCommonFirst = 8,
    CommandStartGenerate = 9,
    CommandInfo = 10,
    CommandLicence = 11,
    // The platform's application menu.
    CommandAppAbout = -3,
    CommandAppPreferences = -2,
    CommandAppQuit = -1,
};

// The commands that touch the project or start a run; none of them runs during a generation.
inline bool TouchesProject(int command)
{
    return command >= CommandProjectNew && command <= CommandStartGenerate && command != CommandUserGadget;
}

// The worker's requests, carried as the event type of a gadget event of the CommandButton.
enum RequestKind : int {
    RequestRunStarted = 1025,
    RequestOpenBindDialog = 1026,
    RequestCloseBindDialog = 1027,
    RequestAppendLogLine = 1028,
    // What else the worker needs done on the GUI thread.
    RequestEnableMainWindow = 1029,
    RequestSaveProjectAs = 1030,
    RequestShowMessage = 1031,
    RequestClearLog = 1032,
};

} // namespace quarvel
