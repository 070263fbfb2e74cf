#include "include_file_updates.h"

#include "binding_replacer.h"
#include "../pipeline/generation_context.h"
#include "../pipeline/load_project_sources.h"

#include <QFileInfo>

namespace quarvel {

namespace {

constexpr int KindWindow = 1;

// The passes over an include file, one after the other. Event procedure names are left alone
// here: they live in the event files.
const QList<QList<ReplacementRule>> &IncludeFilePasses()
{
    static const QList<QList<ReplacementRule>> passes = {
        {ReplacementRule{ReplacementRule::Substring, QStringLiteral("#"), QStringLiteral("_"), KindWindow}},
        {ReplacementRule{ReplacementRule::Word, QStringLiteral("#"), QString(), 0}},
        {ReplacementRule{ReplacementRule::Word, QStringLiteral("Open_"), QStringLiteral("()"), KindWindow}},
    };
    return passes;
}

QString ErrorSuffix()
{
    return QStringLiteral(" / ") + ErrorCodeText(LastErrorCode());
}

// Written back in the format and with the mark the file came in. A file without a mark whose
// new text no longer fits 8 bits is written as UTF-8 with the mark rather than losing letters.
QByteArray IncludeFileBytes(GenerationContext &g, const QString &path, const TextFile &file)
{
    if (file.format == FormatLatin1 && !FitsLatin1(file.lines)) {
        g.LogLine(QStringLiteral(" -> Warning: ") + path + QStringLiteral(" holds characters beyond 8 bit, written as UTF-8."));
        return EncodeLines(file.lines, FormatUtf8);
    }
    return EncodeLines(file.lines, file.format);
}

void UpdateIncludeFile(GenerationContext &g, const BindingReplacer &replacer, const QString &path)
{
    g.lines.ScratchLines.clear();
    // A missing include is reported, never created: the user may have mistyped its name.
    std::optional<TextFile> file = QFileInfo::exists(path) ? ReadTextFile(path) : std::nullopt;
    if (!file) {
        g.LogLine(QStringLiteral(" -> Error OpenFile ") + path + ErrorSuffix());
        return;
    }
    g.lines.ScratchLines = std::move(file->lines);
    int count = 0;
    for (const QList<ReplacementRule> &pass : IncludeFilePasses())
        count += replacer.Apply(g.lines.ScratchLines, pass);
    if (count == 0)
        return;
    g.LogLine(QStringLiteral(" -> Update Includefile ") + path + QStringLiteral(" / Count Change: ") + QString::number(count));
    file->lines = g.lines.ScratchLines;
    if (!g.writer.Write(path, IncludeFileBytes(g, path, *file)))
        g.LogLine(QStringLiteral(" -> Error WriteFile ") + path + ErrorSuffix());
}

} // namespace

void UpdateIncludeFiles(GenerationContext &g)
{
    const BindingReplacer replacer(g.Bindings);
    for (const QString &path : g.model.IncludeFileList)
        UpdateIncludeFile(g, replacer, path);
}

} // namespace quarvel
