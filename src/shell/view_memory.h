// What the desktop's views remember between sessions beside the keys of QL4.INI: the main
// window's docks (the Project view's place and width), the Project view's divider between its
// tree and its preview, and the windows expanded in its tree. Kept in Views.INI in the settings
// directory, so QL4.INI stays as other readers know it.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace quarvel {

struct ViewMemory {
    QByteArray mainWindowState; // QMainWindow::saveState
    QByteArray projectSplit;    // the Project view's splitter
    QStringList expanded;       // the windows expanded in the Project view
};

ViewMemory LoadViewMemory(const QString &directory);
void SaveViewMemory(const QString &directory, const ViewMemory &memory);

} // namespace quarvel
