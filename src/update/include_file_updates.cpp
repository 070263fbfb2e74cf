#include "update/include_file_updates.h"

#include "base/text_encoding.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/project_file.h"
#include "model/source_folder.h"
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
// Nothing when the include cannot be read.
std::optional<IncludeUpdate> UpdateIncludeFile(const SourceFolder &folder, LogSink &log, const IncludeRenames &renames,
                                               const QString &path)
{
    const QString filePath = ProjectRelativePath(folder.directory, path);
    // A missing include is reported, never created: the user may have mistyped its name.
    const TextFileRead file = ReadTextFile(filePath, folder.format, {.keepBytes = true});
    if (!file) {
        log.Error(FileErrorLine(QStringLiteral("OpenFile"), path), path);
        return std::nullopt;
    }
    IncludeUpdate update{path, filePath, file->bytes, std::nullopt};
    LogHowRead(log, path, *file);
    SourceLineList lines = file->lines;
    const int count = renames.Apply(lines);
    if (count == 0)
        return update;
    log.Log({IncludeUpdatedLine(path, count), LogKind::FileWritten, path});
    const RewrittenText text = EncodeRewritten(*file, lines, folder.format);
    if (text.widened)
        log.Warning(file->format == TextFormat::CodePage ? BeyondCodePageWarning(path, file->codePage)
                                                         : BeyondEightBitWarning(path),
                    path);
    update.updated = text.bytes;
    return update;
}

} // namespace

IncludeUpdates UpdateIncludeFiles(const Renames &renames, const DesignModel &model, const SourceFolder &folder,
                                  LogSink &log)
{
    const BindingReplacer windowObjects(renames.windowObjects);
    const BindingReplacer replacer(renames.bindings);
    const BindingList variableBindings = VariableBindings(renames.bindings, model.VariableObjects);
    const BindingReplacer variables(variableBindings);
    const IncludeRenames includeRenames{windowObjects, replacer, variables};
    IncludeUpdates updates;
    // An include named twice is updated once: its new text is not on disk before the run
    // writes its files.
    QSet<QString> updated;
    for (const QString &path : model.IncludeFileList) {
        const QString file = QDir::cleanPath(ProjectRelativePath(folder.directory, path));
        if (updated.contains(file))
            continue;
        updated.insert(file);
        if (std::optional<IncludeUpdate> update = UpdateIncludeFile(folder, log, includeRenames, path))
            updates.files.append(std::move(*update));
        else
            ++updates.unread;
    }
    return updates;
}

} // namespace quarvel
