// One project at a time: its file, its common files, its switches and the constant names
// the previous generation produced.
#pragma once

#include "model/object_kind.h"
#include "model/switches.h"

#include <QString>
#include <QStringList>

namespace quarvel {

// Names of the previous successful generation, without "#", one list per kind.
struct StoredConstants {
    QStringList Window;
    QStringList Menu;
    QStringList MenuItem;
    QStringList StatusBar;
    QStringList ToolBar;
    QStringList Gadget;

    void clear() { *this = StoredConstants(); }
};

// The stored names of one kind of object: Window, Menu, ... Gadget.
QStringList &StoredNamesOfKind(StoredConstants &stored, ObjectKind kind);
const QStringList &StoredNamesOfKind(const StoredConstants &stored, ObjectKind kind);

inline const QString UnnamedProjectFile = QStringLiteral("Unbekannt.pbm");

struct ProjectState {
    QString ProjectFile = UnnamedProjectFile;
    bool ProjectNamed = false;
    bool ProjectSaved = true;
    QString LastPath;
    QStringList CommonFiles; // the project's common files, in project order, as written
    Switches switches;
    StoredConstants Stored;

    // The path part of ProjectFile up to and including its last "/".
    QString ProjectDirectory() const;
    // Where the file dialogs open: the project's folder, or the last folder used while the
    // project has no file.
    QString DialogFolder() const;
};

} // namespace quarvel
