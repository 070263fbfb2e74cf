// The menu and toolbar command numbers of the main window.
#pragma once

namespace quarvel {

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
    CommandChanges = 12,
    CommandOpenProjectFolder = 13,
    CommandEditor = 14,
    CommandUndo = 15,
    CommandProjectView = 16,
    CommandRegenerateOnSave = 17,
    // File > Recent Projects: the first entry, the others follow.
    CommandRecentProject = 100,
    // The platform's application menu.
    CommandAppAbout = -3,
    CommandAppPreferences = -2,
    CommandAppQuit = -1,
};

} // namespace quarvel
