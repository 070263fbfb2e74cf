#include "update/include_file_updates.h"

#include "base/file_error_line.h"
#include "base/text_encoding.h"
#include "model/generation_context.h"
#include "model/project_file.h"
#include "update/binding_replacer.h"
#include "update/code_updates.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

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

// Written back in the format, with the mark and the line ends the file came in. A file without a mark whose
// new text no longer fits 8 bits is written as UTF-8 with the mark rather than losing letters.
QByteArray IncludeFileBytes(GenerationContext &g, const QString &path, const TextFile &file)
{
    const TextFormat format = FormatThatHolds(file.lines, file.format);
    if (format != file.format)
        g.LogWarning(BeyondEightBitWarning(path), path);
    const QByteArray bytes = EncodeLines(file.lines, format, file.ends);
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
    const QString filePath = ProjectRelativePath(g.ProjectDirectory(), path);
    // A missing include is reported, never created: the user may have mistyped its name.
    std::optional<TextFile> file = ReadTextFile(filePath, g.outputFormat);
    if (!file) {
        g.LogError(FileErrorLine(QStringLiteral("OpenFile"), path), path);
        ++g.faults.unread;
        return;
    }
    if (file->firstInvalidLine)
        g.LogWarning(InvalidBytesWarning(path, file->firstInvalidLine), path, file->firstInvalidLine);
    SourceLineList &lines = file->lines;
    int count = 0;
    for (const QList<ReplacementRule> &pass : IncludeFilePasses())
        count += replacer.Apply(lines, pass);
    count += variables.Apply(lines, {{ReplacementRule::Variable, QString(), QString(), std::nullopt}});
    if (count == 0)
        return;
    g.Log({QStringLiteral(" -> Update Includefile ") + path + QStringLiteral(" / Count Change: ")
               + QString::number(count),
           LogKind::FileWritten, path});
    g.stagedIncludes.append({path, g.plan.Stage(filePath, IncludeFileBytes(g, path, *file))});
}

} // namespace

void UpdateIncludeFiles(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings, KnownWindowNames(g));
    const BindingList variableBindings = VariableBindings(g);
    const BindingReplacer variables(variableBindings);
    // An include named twice is updated once: its new text is not on disk before step 4.
    QSet<QString> updated;
    for (const QString &path : g.model.IncludeFileList) {
        const QString file = QDir::cleanPath(ProjectRelativePath(g.ProjectDirectory(), path));
        if (!updated.contains(file)) {
            updated.insert(file);
            UpdateIncludeFile(g, replacer, variables, path);
        }
    }
}

void LogIncludeWriteFailures(GenerationContext &g)
{
    for (const StagedInclude &include : std::as_const(g.stagedIncludes))
        if (g.plan.OutcomeOf(include.handle) == WritePlan::Outcome::Failed)
            g.LogError(FileErrorLine(QStringLiteral("WriteFile"), include.path), include.path);
}

} // namespace quarvel
