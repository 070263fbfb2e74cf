// Where a pass reads the files the sources name: the project folder their relative paths
// start from, and the format text without a byte-order mark is read in (Main.pb's).
#pragma once

#include "base/text_encoding.h"

#include <QString>

namespace quarvel {

struct SourceFolder {
    QString directory; // ends with "/"
    TextFormat format = TextFormat::Utf8;
};

} // namespace quarvel
