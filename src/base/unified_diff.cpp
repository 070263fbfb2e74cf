#include "base/unified_diff.h"

#include "base/line_diff.h"

#include <algorithm>

namespace quarvel {

namespace {

// Marks a last line that no line feed ends, so that it differs from the same text with one.
// Lines are held as Latin-1, one character a byte, so no line can hold this character.
constexpr QChar NoNewline(0xFFFF);

// A file's bytes cut into lines, each byte one character, so any encoding passes unchanged.
QStringList SplitBytes(const QByteArray &bytes)
{
    QStringList lines;
    if (bytes.isEmpty())
        return lines;
    for (const QByteArray &line : bytes.split('\n'))
        lines.append(QString::fromLatin1(line));
    if (lines.last().isEmpty())
        lines.removeLast();
    else
        lines.last().append(NoNewline);
    return lines;
}

QByteArray DiffLineBytes(const DiffLine &line)
{
    static const char signs[] = {' ', '-', '+'};
    if (line.kind == DiffLine::Gap)
        return line.text.toLatin1() + '\n';
    QString text = line.text;
    const bool lastWithoutNewline = text.endsWith(NoNewline);
    if (lastWithoutNewline)
        text.chop(1);
    QByteArray out = signs[line.kind] + text.toLatin1() + '\n';
    if (lastWithoutNewline)
        out += "\\ No newline at end of file\n";
    return out;
}

// A name as git writes it into a diff's headers: in double quotes with C escapes when it
// holds a double quote, a backslash, a control character or a byte beyond ASCII, else as it is.
QByteArray QuotedName(const char *prefix, const QByteArray &name)
{
    const auto plain = [](uchar c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; };
    if (std::all_of(name.cbegin(), name.cend(), [&](char c) { return plain(uchar(c)); }))
        return prefix + name;
    static const char escapes[] = "abtnvfr"; // after a backslash, for the bytes 7 to 13
    QByteArray quoted = QByteArray("\"") + prefix;
    for (const char c : name) {
        const uchar u = uchar(c);
        if (plain(u))
            quoted += c;
        else if (c == '"' || c == '\\')
            quoted += QByteArray("\\") + c;
        else if (u >= 7 && u <= 13)
            quoted += QByteArray("\\") + escapes[u - 7];
        else
            quoted += '\\' + QByteArray::number(u, 8).rightJustified(3, '0');
    }
    return quoted + '"';
}

// A "---" or "+++" line: git ends a name that holds a blank with a tab, so that patch takes the
// whole name.
QByteArray FileLine(const char *lead, const QByteArray &name)
{
    return lead + name + (name.contains(' ') ? "\t\n" : "\n");
}

} // namespace

QByteArray UnifiedDiff(const QString &relativePath, const QByteArray &before, const QByteArray &after, bool created)
{
    if (before == after && !created)
        return {};
    const QByteArray oldName = QuotedName("a/", relativePath.toUtf8());
    const QByteArray newName = QuotedName("b/", relativePath.toUtf8());
    // A created file carries git's header, through which patch creates even an empty one.
    QByteArray out = created ? "diff --git " + oldName + ' ' + newName + "\nnew file mode 100644\n" : QByteArray();
    if (created && after.isEmpty())
        return out;
    out += FileLine("--- ", created ? QByteArray("/dev/null") : oldName) + FileLine("+++ ", newName);
    for (const DiffLine &line : UnifiedDiff(SplitBytes(before), SplitBytes(after)))
        out += DiffLineBytes(line);
    return out;
}

} // namespace quarvel
