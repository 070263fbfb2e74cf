// What a common file holds that cannot be generated from: windows opened outside a procedure
// or with a plain number, menu items and toolbar buttons with a plain number. Each is a log
// warning naming the file and the line, so the user learns why an object has no event code.
#pragma once

#include <QStringList>

namespace quarvel {

struct GenerationContext;

void WarnUngeneratableObjects(GenerationContext &g, const QString &listedPath, const QStringList &lines);

} // namespace quarvel
