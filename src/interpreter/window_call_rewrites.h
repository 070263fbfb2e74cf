// The rewrites of the windows' OpenWindow and ImageGadget calls that the switches ask for.
#pragma once

#include <QList>

namespace quarvel {

struct DesignModel;
class SourceLines;

// The indexes of the lines of CommonSourceLines that open a window, in order. The rewrites
// of the OpenWindow calls keep each call where it stands, so one list serves them all.
QList<qsizetype> WindowOpeningLines(const SourceLines &lines);

// Every window but the main one gets the main window as its parent.
void SetParentWindow(DesignModel &model, const QList<qsizetype> &windowLines);
// Every window opens where the system places it.
void SetAutoWindowPosition(DesignModel &model, const QList<qsizetype> &windowLines);
// The image of every ImageGadget becomes 0.
void ZeroImageGadgets(DesignModel &model);

} // namespace quarvel
