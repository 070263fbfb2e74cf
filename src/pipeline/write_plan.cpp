#include "pipeline/write_plan.h"

#include "base/file_reader.h"

#include <QDir>
#include <QFileInfo>

namespace quarvel {

namespace {

struct OnDisk {
    bool exists = false;
    QByteArray bytes;
};

// Read through the safe reader, so that a FIFO or a device where a file should be can neither
// hang the comparison nor pass for unchanged.
OnDisk ReadOnDisk(const QString &path)
{
    FileBytes file = ReadRegularFile(path);
    if (!file)
        return {};
    return {true, std::move(file.bytes)};
}

WritePlan::Outcome OutcomeOfState(FileWriter::Outcome::State state)
{
    switch (state) {
    case FileWriter::Outcome::Written: return WritePlan::Outcome::Written;
    case FileWriter::Outcome::Failed: return WritePlan::Outcome::Failed;
    case FileWriter::Outcome::Changed: return WritePlan::Outcome::Changed;
    case FileWriter::Outcome::HeldBack: break;
    }
    return WritePlan::Outcome::HeldBack;
}

// Appends a file's entry, found from then on by the file written; returns its handle.
template <class Entry>
int AppendEntry(QList<Entry> &entries, QHash<QString, int> &entryOfFile, const QString &file, Entry entry)
{
    entries.append(std::move(entry));
    entryOfFile.insert(file, int(entries.size() - 1));
    return int(entries.size() - 1);
}

} // namespace

QString WritePlan::KeyOf(const QString &path)
{
    return QDir::cleanPath(FileWriter::WrittenPath(QFileInfo(path).absoluteFilePath()));
}

void WritePlan::NoteRead(const QString &path, const FileWriter::Content &content)
{
    const QString file = KeyOf(path);
    if (!read_.contains(file))
        read_.insert(file, content);
}

void WritePlan::NoteRead(const QString &path, const std::function<QByteArray()> &make)
{
    const QString file = KeyOf(path);
    if (read_.contains(file))
        return;
    read_.insert(file, {true, QByteArray()});
    unmade_.insert(file, make);
}

bool WritePlan::MakeReadBytes(const QString &file)
{
    const auto make = unmade_.find(file);
    if (make == unmade_.end())
        return false;
    read_[file].bytes = (*make)();
    unmade_.erase(make);
    return true;
}

QByteArray WritePlan::ReadBytes(const QString &path)
{
    const QString file = KeyOf(path);
    MakeReadBytes(file);
    return read_.value(file).bytes;
}

int WritePlan::EntryOf(const QString &path)
{
    const QString file = KeyOf(path);
    const bool madeNow = MakeReadBytes(file);
    if (const auto known = entryOfFile_.constFind(file); known != entryOfFile_.cend()) {
        if (Entry &entry = entries_[*known]; madeNow) {
            entry.before = read_.value(file).bytes; // kept (StageKept) until now
        } else if (entry.released) {
            const OnDisk old = ReadOnDisk(entry.path);
            read_.insert(file, {old.exists, old.bytes});
            entry.before = old.bytes;
            entry.created = !old.exists;
            entry.released = false;
        }
        return *known;
    }
    // The text the run read is what it replaces; a file it did not read is taken as it is now.
    const auto read = read_.constFind(file);
    OnDisk old = read != read_.cend() ? OnDisk{read->exists, read->bytes} : ReadOnDisk(path);
    Entry entry;
    entry.readHere = read == read_.cend();
    if (entry.readHere)
        read_.insert(file, {old.exists, old.bytes});
    entry.path = path;
    entry.before = std::move(old.bytes);
    entry.created = !old.exists;
    return AppendEntry(entries_, entryOfFile_, file, std::move(entry));
}

int WritePlan::Stage(const QString &path, const QByteArray &bytes, Order order)
{
    return Stage(
        path,
        [&](ByteSource &before) {
            ByteView after(bytes);
            return SameBytes(before, after);
        },
        [&] { return bytes; }, order);
}

// A file new to the plan that already holds its text is known unchanged without being held
// whole, released as if read and let go. Read whole for the comparison, an unchanged
// CommonFile.pb took the peak of an unchanged 1000 x 100 regeneration (bench/make_project.py)
// to 175,120 KiB, against 171,120 KiB (maximum resident set size). -1 when the file is known
// to the plan, or does not hold the text.
int WritePlan::StageIfHeldOnDisk(const QString &path, const std::function<bool(ByteSource &)> &holds, Order order)
{
    const QString file = KeyOf(path);
    if (read_.contains(file) || entryOfFile_.contains(file))
        return -1;
    RegularFileStream onDisk(path);
    if (!onDisk.Status() || !holds(onDisk) || !onDisk.Status())
        return -1;
    read_.insert(file, {true, QByteArray()});
    Entry entry;
    entry.path = path;
    entry.readHere = entry.released = true;
    entry.order = order;
    entry.outcome = Outcome::Unchanged;
    return AppendEntry(entries_, entryOfFile_, file, std::move(entry));
}

int WritePlan::Stage(const QString &path, const std::function<bool(ByteSource &)> &holds,
                     const std::function<QByteArray()> &make, Order order)
{
    if (const int unchanged = StageIfHeldOnDisk(path, holds, order); unchanged >= 0)
        return unchanged;
    const int handle = EntryOf(path);
    Entry &entry = entries_[handle];
    entry.order = order;
    ByteView before(entry.before);
    entry.outcome = !entry.created && holds(before) ? Outcome::Unchanged : Outcome::Staged;
    // A file that keeps its text is held once, as read: the caller's copy goes when it lets go.
    // Holding both took the peak of an unchanged 1000 x 100 regeneration (bench/make_project.py)
    // to 251 MiB, against 236 MiB (maximum resident set size).
    entry.after = entry.outcome == Outcome::Unchanged ? entry.before : make();
    // Bytes the plan read itself are not held for a file that keeps them: it is not written.
    // Held to the end, those of CommonFile.pb and EventMain.pb took the peak of an unchanged
    // 1000 x 100 regeneration (bench/make_project.py) to 227.3 MiB, against 224.3 MiB (maximum
    // resident set size).
    if (entry.outcome == Outcome::Unchanged && entry.readHere) {
        entry.before = entry.after = QByteArray();
        read_[KeyOf(path)].bytes = QByteArray();
        entry.released = true;
    }
    return handle;
}

int WritePlan::StageKept(const QString &path)
{
    const QString file = KeyOf(path);
    if (!unmade_.contains(file) || entryOfFile_.contains(file))
        return Stage(path, ReadBytes(path));
    Entry entry;
    entry.path = path;
    entry.outcome = Outcome::Unchanged;
    return AppendEntry(entries_, entryOfFile_, file, std::move(entry));
}

// What a real run would meet: a file that cannot be written fails, and then holds the others back.
QList<FileWriter::Outcome> WritePlan::Foresee(const QList<FileWriter::PendingFile> &files) const
{
    QList<FileWriter::Outcome> outcomes;
    bool anyFailed = false;
    for (const FileWriter::PendingFile &file : files) {
        const QString obstacle = writer_.Obstacle(file.path);
        anyFailed = anyFailed || !obstacle.isEmpty();
        outcomes.append({obstacle.isEmpty() ? FileWriter::Outcome::Written : FileWriter::Outcome::Failed, obstacle});
    }
    for (FileWriter::Outcome &outcome : outcomes)
        if (anyFailed && outcome.state == FileWriter::Outcome::Written)
            outcome.state = FileWriter::Outcome::HeldBack;
    return outcomes;
}

bool WritePlan::WriteStaged()
{
    QList<int> staged;
    QList<FileWriter::PendingFile> files;
    for (const Order order : {Order::InTurn, Order::Last}) {
        for (int i = 0; i < entries_.size(); ++i) {
            if (entries_[i].outcome == Outcome::Staged && entries_[i].order == order) {
                staged.append(i);
                files.append({entries_[i].path, entries_[i].after, read_.value(KeyOf(entries_[i].path))});
            }
        }
    }
    const QList<FileWriter::Outcome> outcomes = dryRun ? Foresee(files) : writer_.WriteTogether(files);
    bool noneFailed = true;
    for (qsizetype k = 0; k < staged.size(); ++k) {
        Entry &entry = entries_[staged[k]];
        entry.outcome = OutcomeOfState(outcomes[k].state);
        entry.reason = outcomes[k].reason;
        noneFailed = noneFailed && entry.outcome != Outcome::Failed && entry.outcome != Outcome::Changed;
        if (entry.outcome == Outcome::Written)
            changes_.append({entry.path, std::move(entry.before), std::move(entry.after), entry.created});
    }
    ReleaseUnwritten();
    return noneFailed;
}

// The bytes of a file the run did not change are of no use once the files are written: the
// rest of the run (the report) does not need them held.
void WritePlan::ReleaseUnwritten()
{
    for (Entry &entry : entries_) {
        entry.before = entry.after = QByteArray();
        if (const auto read = read_.find(KeyOf(entry.path)); read != read_.end())
            read->bytes = QByteArray();
    }
}

QList<WritePlan::Failure> WritePlan::Failures() const
{
    QList<Failure> failures;
    for (const Entry &entry : entries_)
        if (entry.outcome == Outcome::Failed)
            failures.append({entry.path, entry.reason});
    return failures;
}

QStringList WritePlan::PathsWith(Outcome outcome) const
{
    QStringList paths;
    for (const Entry &entry : entries_)
        if (entry.outcome == outcome)
            paths.append(entry.path);
    return paths;
}

int WritePlan::Count(Outcome outcome) const
{
    return int(std::count_if(entries_.cbegin(), entries_.cend(),
                             [outcome](const Entry &entry) { return entry.outcome == outcome; }));
}

QList<bool> WritePlan::WriteCopies(QList<FileWriter::Copy> copies)
{
    if (!dryRun)
        return writer_.WriteCopies(copies);
    // A dry run writes nothing, and fails only where a folder stands in a copy's place.
    QList<bool> results;
    results.reserve(copies.size());
    for (const FileWriter::Copy &copy : std::as_const(copies))
        results.append(!QFileInfo(copy.path).isDir());
    return results;
}

} // namespace quarvel
