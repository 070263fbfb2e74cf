#include "base/unified_diff.h"

#include "base/line_diff.h"

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

} // namespace

QByteArray UnifiedDiff(const QString &relativePath, const QByteArray &before, const QByteArray &after, bool created)
{
    if (before == after && !created)
        return {};
    const QByteArray path = relativePath.toUtf8();
    // A created file carries git's header, through which patch creates even an empty one.
    QByteArray out = created ? "diff --git a/" + path + " b/" + path + "\nnew file mode 100644\n" : QByteArray();
    if (created && after.isEmpty())
        return out;
    out += (created ? QByteArray("--- /dev/null\n") : "--- a/" + path + '\n') + "+++ b/" + path + '\n';
    for (const DiffLine &line : UnifiedDiff(SplitBytes(before), SplitBytes(after)))
        out += DiffLineBytes(line);
    return out;
}

} // namespace quarvel
