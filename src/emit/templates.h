// The fixed texts that stand in for files a project does not have yet. They are compiled into
// the program from src/emit/templates/.
#pragma once

#include <QString>

namespace quarvel {

const QString &MainTemplate();
const QString &EventMainSelectTemplate();
const QString &EventMainCallFastTemplate();
const QString &LoadLanguageTemplate();

} // namespace quarvel
