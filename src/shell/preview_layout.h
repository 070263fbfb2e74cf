// The picture of one window drawn from its source: every gadget at its position and size with
// its kind and text, the menu titles, toolbar and status bar as strips. A position or size
// that is not a plain number is never guessed: such gadgets are placed in a row under the
// window and marked.
#pragma once

#include "model/run_result.h"

#include <QList>
#include <QRect>
#include <QStringList>

namespace quarvel {

// The heights of the strips the picture draws and the margin around it, in the window's own
// pixels.
struct PreviewSizes {
    static constexpr int TitleHeight = 24;
    static constexpr int MenuHeight = 22;
    static constexpr int ToolBarHeight = 28;
    static constexpr int StatusHeight = 22;
    static constexpr int TabHeight = 22;
    static constexpr int Margin = 12;
};

struct PreviewGadget {
    qsizetype fact = -1; // its index in the run's objects
    QString command;     // "ButtonGadget"
    QString name;        // "#Main_Ok"
    QString text;
    QStringList tabs;
    QRect box;          // in the window's content; for an unplaced gadget, its place in the row
    bool placed = true; // position and size are numbers
};

struct PreviewPicture {
    QString title;
    QSize size;        // the content's size; guessed from the gadgets when not numbers
    bool sized = true; // the window's width and height are numbers
    QStringList menuTitles;
    int toolBarButtons = 0;
    bool statusBar = false;
    QList<PreviewGadget> gadgets; // in creation order: later ones lie on top
};

// The picture of the window facts[window] from the facts of its objects and the lines of its
// source file (for the gadget lists opened and closed, panel tabs and menu titles, which are
// no objects).
PreviewPicture LayOutWindow(const QList<ObjectFact> &facts, qsizetype window, const QStringList &sourceLines);

// The height of the title, menu and toolbar strips above the window's content.
int StripsAbove(const PreviewPicture &picture);

// Whether a command is the named one, in any letter case.
bool IsCommand(QStringView command, QStringView name);

} // namespace quarvel
