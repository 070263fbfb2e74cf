// The program's icons, each at 16, 32 and 48 pixels so it stays sharp on a scaled screen.
#pragma once

#include <QIcon>

#include <array>

namespace quarvel {

// An icon's number is the number in its file name (icon07.png is IconGenerate).
enum IconNumber : int {
    IconNew = 0,
    IconLoad = 1,
    IconSave = 2,
    IconSaveAs = 3,
    IconAdd = 4,
    IconDelete = 5,
    IconFirst = 6,
    IconGenerate = 7, // also the program's own
    IconExit = 8,
    IconUserGadget = 9,
    IconInfo = 10,
    IconLicence = 11,
    IconChanges = 12,
    IconUndo = 13,
};

using IconSet = std::array<QIcon, IconUndo + 1>;

// Decodes the icons from the program's resources.
IconSet LoadIcons();

} // namespace quarvel
