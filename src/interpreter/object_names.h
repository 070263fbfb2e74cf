// Collects the names of windows, menus, menu items, toolbar buttons, status bars, toolbars
// and gadgets into the design model.
#pragma once

#include "base/word_memo.h"
#include "model/object_kind.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel {

struct DesignModel;
struct NameTables;
class LogSink;

// What a line declares, by the command in front of one of its "(#": the first kind of Window,
// Menu, MenuItem, StatusBar, ToolBar, ToolBarButton, Gadget wins, and among equals the first
// in the line; None when there is none. Gadget stands for any other command word; the gadget
// creator table tells whether it creates a gadget.
struct ObjectDeclaration {
    ObjectKind kind = ObjectKind::None;
    qsizetype bracket = -1; // the index of the "(" of the declaring command's "(#"
};

ObjectDeclaration DeclarationOfLine(const QString &s);

// A line that declares an object, what declares it there and, for a gadget, its type.
struct DeclaringLine {
    qsizetype line = 0;
    ObjectDeclaration declaration;
    QString gadgetType; // upper-cased; null for other kinds and for a word that creates no gadget

    friend bool operator==(const DeclaringLine &a, const DeclaringLine &b)
    {
        return a.line == b.line && a.declaration.kind == b.declaration.kind
               && a.declaration.bracket == b.declaration.bracket && a.gadgetType == b.gadgetType;
    }
};
using DeclaringLines = QList<DeclaringLine>;

// Reads what a line declares; the gadget type of each word before a bracket is looked up once.
class DeclarationReader {
public:
    explicit DeclarationReader(const NameTables &tables) : tables_(tables) {}

    // Kind None when the line declares nothing.
    DeclaringLine read(const QString &s, qsizetype line);

private:
    const NameTables &tables_;
    WordMemo<QString> types_;
};

// Every line that declares an object, in order.
DeclaringLines FindDeclaringLines(const QStringList &lines, const NameTables &tables);

// The constant a declaration names, cut from the "#" after its bracket (an index): the identifier there,
// without blanks around it. A number computed from it ("#Btn_0 + i") gives the identifier.
QStringView DeclaredName(const QString &s, qsizetype bracket);

// False, after logging the duplicate, when two windows, menus, status bars or toolbars share a
// name: the run stops.
bool CollectObjectNames(DesignModel &model, const NameTables &nameTables, LogSink &log);
// The same over the declaring lines found already (by the prefix pass, which walks the lines
// first): no line is classified twice.
bool CollectObjectNames(DesignModel &model, const NameTables &nameTables, LogSink &log,
                        const DeclaringLines &declaring);
void SplitMenuItemTabs(DesignModel &model);

} // namespace quarvel
