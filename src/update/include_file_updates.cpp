#include "update/include_file_updates.h"

#include "base/file_error_line.h"
#include "base/text_encoding.h"
#include "interpreter/common_file_loading.h"
#include "model/generation_context.h"
#include "update/binding_replacer.h"
#include "update/code_updates.h"

#include <QFileInfo>

namespace quarvel {

namespace {

// The passes over an include file, one after the other, and last the variables of renamed
// objects. Event procedure names are left alone here: they live in the event files.
const QList<QList<ReplacementRule>> &IncludeFilePasses()
{
    const ObjectKind window = ObjectKind::Window;
    static const QList<QList<ReplacementRule>> passes = {
        {ReplacementRule{ReplacementRule::Substring, QStringLiteral("#"), QStringLiteral("_"), window}},
        {ReplacementRule{ReplacementRule::Word, QStringLiteral("#"), QString(), std::nullopt}},
        {ReplacementRule{ReplacementRule::Word, QStringLiteral("Open_"), QStringLiteral("()"), window}},
    };
    return passes;
}

// Written back in the format and with the mark the file came in. A file without a mark whose
// new text no longer fits 8 bits is written as UTF-8 with the mark rather than losing letters.
QByteArray IncludeFileBytes(GenerationContext &g, const QString &path, const TextFile &file)
{
    const TextFormat format = FormatThatHolds(file.lines, file.format);
    if (format != file.format)
        g.LogLine(BeyondEightBitWarning(path));
    const QByteArray bytes = EncodeLines(file.lines, format);
    // A file read without a mark (8-bit, or UTF-8 or UTF-16 known by its bytes) gets none.
    if (format == file.format && !file.marked)
        return bytes.sliced(ByteOrderMarkBytes(format).size());
    return bytes;
}

// path is the name as Main.pb's include scan listed it; a relative one lies in the project
// directory, as for the language scan.
void UpdateIncludeFile(GenerationContext &g, const BindingReplacer &replacer, const BindingReplacer &variables,
                       const QString &path)
{
    g.lines.ScratchLines.clear();
    const QString filePath = ProjectRelativePath(g.ProjectDirectory(), path);
    // A missing include is reported, never created: the user may have mistyped its name.
    std::optional<TextFile> file = ReadTextFile(filePath, g.outputFormat);
    if (!file) {
        g.LogLine(FileErrorLine(QStringLiteral("OpenFile"), path));
        ++g.faults.unread;
        return;
    }
    if (file->firstInvalidLine)
        g.LogLine(InvalidBytesWarning(path, file->firstInvalidLine));
    g.lines.ScratchLines = std::move(file->lines);
    int count = 0;
    for (const QList<ReplacementRule> &pass : IncludeFilePasses())
        count += replacer.Apply(g.lines.ScratchLines, pass);
    count += variables.Apply(g.lines.ScratchLines, {{ReplacementRule::Variable, QString(), QString(), std::nullopt}});
    if (count == 0)
        return;
    g.LogLine(QStringLiteral(" -> Update Includefile ") + path + QStringLiteral(" / Count Change: ") + QString::number(count));
    file->lines = g.lines.ScratchLines;
    if (!g.plan.Write(filePath, IncludeFileBytes(g, path, *file)))
        g.LogLine(FileErrorLine(QStringLiteral("WriteFile"), path));
}

} // namespace

void UpdateIncludeFiles(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings, KnownWindowNames(g));
    const BindingList variableBindings = VariableBindings(g);
    const BindingReplacer variables(variableBindings);
    for (const QString &path : g.model.IncludeFileList)
        UpdateIncludeFile(g, replacer, variables, path);
}

} // namespace quarvel
