#include "project/preference_file.h"

#include "base/basic_strings.h"
#include "base/file_writer.h"
#include "base/text_encoding.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

PreferenceFile::Entry ParseLine(QStringView line)
{
    using Entry = PreferenceFile::Entry;
    if (line.startsWith(QLatin1Char(';'))) {
        const int skip = line.startsWith(QLatin1String("; ")) ? 2 : 1;
        return {Entry::Comment, line.sliced(skip).toString(), {}};
    }
    if (line.startsWith(QLatin1Char('['))) {
        const qsizetype close = line.indexOf(QLatin1Char(']'));
        const QStringView name = close < 0 ? line.sliced(1) : line.sliced(1, close - 1);
        return {Entry::Group, name.toString(), {}};
    }
    // A line without "=" is kept as a key with an empty value, so a rewrite does not lose it.
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {Entry::Pair, TrimBlanks(line), {}};
    return {Entry::Pair, TrimBlanks(line.first(equals)), TrimBlanks(line.sliced(equals + 1))};
}

} // namespace

bool SameNameAsciiNoCase(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i].unicode()) != LowerAscii(b[i].unicode()))
            return false;
    return true;
}

QList<PreferenceFile::Entry> PreferenceFile::Parse(const QByteArray &bytes)
{
    QByteArrayView data(bytes);
    QString text;
    if (data.startsWith("\xEF\xBB\xBF"))
        text = DecodeText(data.sliced(3), TextFormat::Utf8);
    else
        text = DecodeText(data, TextFormat::Latin1);

    QList<Entry> entries;
    for (const QString &rawLine : SplitLines(text)) {
        const QString line = TrimLeadingBlanks(rawLine);
        if (!line.isEmpty())
            entries.append(ParseLine(line));
    }
    return entries;
}

QByteArray PreferenceFile::Text(const QList<Entry> &entries)
{
    QStringList lines{QString()};
    lines.reserve(entries.size() + 1);
    for (const Entry &entry : entries) {
        switch (entry.kind) {
        case Entry::Group: lines.append(QLatin1Char('[') + entry.name + QLatin1Char(']')); break;
        case Entry::Comment: lines.append(QStringLiteral("; ") + entry.name); break;
        case Entry::Pair: lines.append(entry.name + QStringLiteral(" = ") + entry.value); break;
        }
    }
    return EncodeLines(lines, TextFormat::Utf8);
}

bool PreferenceFile::Open(const QString &path)
{
    Close();
    path_ = path;
    if (QFileInfo(path).isDir())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly)) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        readOnly_ = true;
    }
    entries_ = Parse(file.readAll());
    return true;
}

FileResult PreferenceFile::Create(const QString &path)
{
    Close();
    path_ = path;
    return FileWriter().Write(path, QByteArray());
}

bool PreferenceFile::SelectGroup(const QString &name)
{
    if (name.isEmpty()) {
        currentGroup_ = -1;
        hasPendingGroup_ = false;
        return true;
    }
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].kind == Entry::Group && SameNameAsciiNoCase(entries_[i].name, name)) {
            currentGroup_ = i;
            hasPendingGroup_ = false;
            return true;
        }
    }
    pendingGroup_ = name;
    hasPendingGroup_ = true;
    return false;
}

qsizetype PreferenceFile::EndOfCurrentGroup() const
{
    qsizetype i = currentGroup_ + 1;
    while (i < entries_.size() && entries_[i].kind != Entry::Group)
        ++i;
    return i;
}

qsizetype PreferenceFile::FindKey(const QString &key) const
{
    const qsizetype end = EndOfCurrentGroup();
    for (qsizetype i = currentGroup_ + 1; i < end; ++i)
        if (entries_[i].kind == Entry::Pair && SameNameAsciiNoCase(entries_[i].name, key))
            return i;
    return -1;
}

QString PreferenceFile::Read(const QString &key, const QString &defaultValue) const
{
    if (hasPendingGroup_)
        return defaultValue;
    const qsizetype index = FindKey(key);
    if (index < 0)
        return defaultValue;
    return TrimBlanks(entries_[index].value);
}

void PreferenceFile::Write(const QString &key, const QString &value)
{
    if (hasPendingGroup_) {
        entries_.append({Entry::Group, pendingGroup_, {}});
        currentGroup_ = entries_.size() - 1;
        hasPendingGroup_ = false;
    }
    const qsizetype index = FindKey(key);
    if (index >= 0)
        entries_[index] = {Entry::Pair, key, value};
    else
        entries_.insert(EndOfCurrentGroup(), {Entry::Pair, key, value});
    changed_ = true;
}

FileResult PreferenceFile::Close()
{
    FileResult written{FileResult::NotDone, path_, {}, {}};
    if (changed_ && !readOnly_ && !path_.isEmpty())
        written = FileWriter().Write(path_, Text(entries_));
    entries_.clear();
    path_.clear();
    currentGroup_ = -1;
    pendingGroup_.clear();
    hasPendingGroup_ = false;
    changed_ = false;
    readOnly_ = false;
    return written;
}

} // namespace quarvel
