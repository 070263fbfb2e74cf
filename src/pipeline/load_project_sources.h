// Reading the project's existing files into the line lists of a run.
#pragma once

#include "../interpreter/design_model.h"
#include "text_encoding.h"

namespace quarvel {

struct GenerationContext;

// FormatNone when Main.pb cannot be opened, else the format of its byte-order mark.
TextFormat DetectMainFormat(const QString &projectDirectory);

// Main.pb or its template, the EventMain template of the run, LoadLanguage.pb or its template,
// the three event files without their trailing comment lines, and the Catalog.
void LoadProjectSources(GenerationContext &g);

// Removes CRs and appends the text's LF-terminated lines; text after the last LF is not taken.
void SplitTemplate(const QString &templateText, SourceLineList &target);

// Drops the run of comment lines (first character ";") at the end of an event file.
void DropTrailingCommentLines(SourceLineList &lines);

// Catalog lines after the header: key;translation, quotes trimmed.
void ReadCatalogLines(const QStringList &lines, LanguageMap &map);

// Adds the language strings of the sources and the include files to the map.
void CollectLanguageStrings(GenerationContext &g);

QString ErrorCodeText(int code);
int LastErrorCode();

// " -> Error " + what + " " + path + " / Errorcode: 1": the log line of a failed file operation.
QString FileErrorLine(const QString &what, const QString &path);

} // namespace quarvel
