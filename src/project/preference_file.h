// The INI-style preference file the program settings rest on: groups of "key = value" pairs,
// held in memory as one ordered sequence of entries and rewritten whole when it changed.
#pragma once

#include "base/file_result.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace quarvel {

class PreferenceFile {
public:
    struct Entry {
        enum Kind { Group, Comment, Pair };
        Kind kind = Pair;
        QString name;  // group name, comment text or key
        QString value; // pairs only
    };

    PreferenceFile() = default;
    PreferenceFile(const PreferenceFile &) = delete;
    PreferenceFile &operator=(const PreferenceFile &) = delete;
    ~PreferenceFile() { Close(); }

    // Closes any open file, then reads the file at path. False when it cannot be read; the path
    // is kept, so values written afterwards are saved there by Close. A write-protected file is
    // opened read-only: its changes are discarded at Close.
    bool Open(const QString &path);

    // Closes any open file, then empties (or creates) the file at path; no entries. Fails, with
    // the reason, when the file cannot be created.
    FileResult Create(const QString &path);

    // The empty name selects the top of the file. An unknown group is remembered as pending:
    // reads give their defaults and the first write appends the group at the end.
    bool SelectGroup(const QString &name);

    // The first pair of the current group with this key (ASCII case-insensitive), trimmed of
    // spaces and tabs; defaultValue when the key is missing or the group is pending.
    QString Read(const QString &key, const QString &defaultValue) const;

    // Changes the first pair with this key (taking the new spelling of the key) or adds one at
    // the end of the current group.
    void Write(const QString &key, const QString &value);

    // Writes the entries back when something changed and the file is not read-only, then
    // forgets everything. Fails, with the reason, when a needed write failed; NotDone when
    // nothing needed writing.
    FileResult Close();

    bool isReadOnly() const { return readOnly_; }
    const QList<Entry> &entries() const { return entries_; }

    // The file as read: mark or Latin-1, blank lines skipped, comments, groups and pairs.
    static QList<Entry> Parse(const QByteArray &bytes);
    // The file as written: UTF-8 mark, an empty line, one line per entry.
    static QByteArray Text(const QList<Entry> &entries);

private:
    qsizetype FindKey(const QString &key) const; // index of the pair, or -1
    qsizetype EndOfCurrentGroup() const;         // index of the next group entry, or the size

    QList<Entry> entries_;
    QString path_;
    qsizetype currentGroup_ = -1; // index of the group entry; -1 = the top of the file
    QString pendingGroup_;
    bool hasPendingGroup_ = false;
    bool changed_ = false;
    bool readOnly_ = false;
};

// Key and group names match when they differ at most in the case of the ASCII letters A-Z.
bool SameNameAsciiNoCase(const QString &a, const QString &b);

} // namespace quarvel
