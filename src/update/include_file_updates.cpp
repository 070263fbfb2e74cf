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

// The renames of an include file, one pass after the other: the objects of renamed windows,
// every constant, the calls that open a renamed window, and last the variables of renamed
// objects. Event procedure names are left alone here: they live in the event files.
struct IncludeRenames {
    const BindingReplacer &windowObjects;
    const BindingReplacer &bindings;
    const BindingReplacer &variables;

    int Apply(SourceLineList &lines) const
    {
        const auto word = [](const char *before, const char *after, std::optional<ObjectKind> kind) {
            return ReplacementRule{ReplacementRule::Word, QLatin1String(before), QLatin1String(after), kind};
        };
        return windowObjects.Apply(lines, {word("#", "", std::nullopt)})
               + bindings.Apply(lines, {word("#", "", std::nullopt)})
               + bindings.Apply(lines, {word("Open_", "()", ObjectKind::Window)})
               + variables.Apply(lines, {{ReplacementRule::Variable, QString(), QString(), std::nullopt}});
    }
};

// path is the name as Main.pb's include scan listed it; a relative one lies in the project
// directory, as for the language scan. A changed include is written back the way it was kept.
void UpdateIncludeFile(GenerationContext &g, const IncludeRenames &renames, const QString &path)
{
    const QString filePath = ProjectRelativePath(g.ProjectDirectory(), path);
    // A missing include is reported, never created: the user may have mistyped its name.
    const std::optional<TextFile> file = ReadTextFile(filePath, g.outputFormat, nullptr, true);
    if (!file) {
        g.LogError(FileErrorLine(QStringLiteral("OpenFile"), path), path);
        ++g.faults.unread;
        return;
    }
    g.plan.NoteRead(filePath, {true, file->bytes});
    if (file->firstInvalidLine)
        g.LogWarning(InvalidBytesWarning(path, file->firstInvalidLine), path, file->firstInvalidLine);
    SourceLineList lines = file->lines;
    const int count = renames.Apply(lines);
    if (count == 0)
        return;
    g.Log({QStringLiteral(" -> Update Includefile ") + path + QStringLiteral(" / Count Change: ")
               + QString::number(count),
           LogKind::FileWritten, path});
    const RewrittenText text = EncodeRewritten(*file, lines, g.outputFormat);
    if (text.widened)
        g.LogWarning(BeyondEightBitWarning(path), path);
    g.stagedIncludes.append({path, g.plan.Stage(filePath, text.bytes)});
}

} // namespace

void UpdateIncludeFiles(GenerationContext &g)
{
    const BindingReplacer windowObjects(WindowObjectBindings(g));
    const BindingReplacer replacer(g.bindings);
    const BindingList variableBindings = VariableBindings(g);
    const BindingReplacer variables(variableBindings);
    const IncludeRenames renames{windowObjects, replacer, variables};
    // An include named twice is updated once: its new text is not on disk before step 4.
    QSet<QString> updated;
    for (const QString &path : g.model.IncludeFileList) {
        const QString file = QDir::cleanPath(ProjectRelativePath(g.ProjectDirectory(), path));
        if (!updated.contains(file)) {
            updated.insert(file);
            UpdateIncludeFile(g, renames, path);
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
