// What a common file holds that cannot be generated from: windows opened by top-level code
// that is not taken over or with a plain number, menu items and toolbar buttons with a plain number. Each is a log
// warning naming the file and the line, so the user learns why an object has no event code.
#pragma once

#include "interpreter/window_takeover.h"

#include <QStringList>

namespace quarvel {

struct DesignModel;
class LogSink;

// topLevelWindows: the file's windows opened by top-level code; those not taken over are warned
// about with the reason.
void WarnUngeneratableObjects(DesignModel &model, LogSink &log, const QString &listedPath, const QStringList &lines,
                              const QList<WindowOpening> &topLevelWindows);

} // namespace quarvel
