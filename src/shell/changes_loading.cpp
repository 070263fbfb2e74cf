#include "shell/changes_loading.h"

#include "base/no_case_key.h"
#include "base/statement_scan.h"
#include "base/text_encoding.h"
#include "pipeline/backup.h"

#include <QFileInfo>
#include <QHash>

namespace quarvel {

namespace {

QStringList LinesOf(const QString &path)
{
    const TextFileRead file = ReadTextFile(path);
    return file ? file->lines : QStringList();
}

// Calls found(word) for every whole word of the lines that stands alone or after one "#" that
// is not itself glued to a word or another "#".
template <typename Found>
void ForEachWord(const QStringList &lines, Found found)
{
    for (const QString &line : lines) {
        for (WordSpan w = NextWord(line, 0); w.start < line.size(); w = NextWord(line, w.end)) {
            const bool hashed = w.start > 0 && line[w.start - 1] == QLatin1Char('#');
            const qsizetype before = hashed ? w.start - 2 : w.start - 1;
            if (before < 0 || (!IsIdentifierChar(line[before]) && line[before] != QLatin1Char('#')))
                found(QStringView(line).mid(w.start, w.end - w.start));
        }
    }
}

} // namespace

ChangedFile LoadChangedFile(const QString &projectDirectory, const QString &written)
{
    ChangedFile file;
    file.path = QFileInfo(written).isRelative() ? projectDirectory + written : written;
    const QString backup = BackupCopyPath(projectDirectory, file.path);
    file.isNew = !QFileInfo(backup).isFile();
    if (!file.isNew)
        file.before = LinesOf(backup);
    file.after = LinesOf(file.path);
    return file;
}

QList<int> ReplacedCounts(const QList<NamePair> &renames, const QList<ChangedFile> &files)
{
    QHash<NoCaseKey, qsizetype> rowOf;
    for (qsizetype row = 0; row < renames.size(); ++row)
        rowOf.insert(NoCaseKey(renames[row].oldName), row);
    QList<int> counts(renames.size(), 0);
    for (const ChangedFile &file : files) {
        QList<int> before(renames.size(), 0), after(renames.size(), 0);
        const auto counter = [&rowOf](QList<int> &into) {
            return [&rowOf, &into](QStringView word) {
                const auto row = rowOf.constFind(NoCaseKey(word));
                if (row != rowOf.cend())
                    ++into[*row];
            };
        };
        ForEachWord(file.before, counter(before));
        ForEachWord(file.after, counter(after));
        for (qsizetype row = 0; row < renames.size(); ++row)
            counts[row] += qMax(0, before[row] - after[row]);
    }
    return counts;
}

LoadedChanges LoadChanges(const RunChanges &changes)
{
    LoadedChanges loaded;
    for (const QString &written : changes.writtenFiles) {
        loaded.files << LoadChangedFile(changes.projectDirectory, written);
        loaded.differences << UnifiedDiff(loaded.files.last().before, loaded.files.last().after);
    }
    loaded.replaced = ReplacedCounts(changes.renames, loaded.files);
    return loaded;
}

} // namespace quarvel
