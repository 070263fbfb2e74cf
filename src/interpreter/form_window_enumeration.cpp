#include "interpreter/form_window_enumeration.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

#include <QHash>
#include <QSet>

namespace quarvel {

namespace {

// The code of a line without its leading blanks and its comment. The keywords are compared
// in any letter case, so no line is copied to be read. Only code that begins with an E
// (Enumeration, EndEnumeration) or a "#" (a member) can matter; any other is given as empty
// before its comment is looked for.
QStringView Code(const QString &line)
{
    const QStringView code = TrimLeadingBlanksView(line);
    if (code.isEmpty() || (UpperChar(code.front()) != QLatin1Char('E') && code.front() != QLatin1Char('#')))
        return QStringView();
    const qsizetype comment = IndexOfChar(code, u';');
    return TrimBlanksView(comment >= 0 ? code.first(comment) : code);
}

bool StartsFormWindowBlock(QStringView code)
{
    if (!StartsNoCase(code, u"ENUMERATION") || code.size() < 12)
        return false;
    const QChar gap = code.at(11);
    const QStringView name = TrimBlanksView(code.sliced(12));
    return (gap == QLatin1Char(' ') || gap == QLatin1Char('\t')) && name.size() == 10 && StartsNoCase(name, u"FORMWINDOW");
}

bool EndsBlock(QStringView code)
{
    return StartsNoCase(code, u"ENDENUMERATION");
}

// The upper-cased constant an enumeration member line declares, without "#"; empty for others.
QString MemberKey(QStringView code)
{
    if (!code.startsWith(QLatin1Char('#')))
        return QString();
    qsizetype n = 1;
    while (n < code.size() && IsIdentifierChar(UpperChar(code.at(n))))
        ++n;
    return UpperKeepLength(code.sliced(1, n - 1));
}

// The window constants every kept FormWindow block declares.
QSet<QString> FormWindowMembers(const SourceLineList &lines)
{
    QSet<QString> members;
    bool inside = false;
    for (const QString &line : lines) {
        const QStringView code = Code(line);
        if (!inside)
            inside = StartsFormWindowBlock(code);
        else if (EndsBlock(code))
            inside = false;
        else if (const QString key = MemberKey(code); !key.isEmpty())
            members.insert(key);
    }
    return members;
}

} // namespace

void AlignFormWindowEnumeration(GenerationContext &g)
{
    const QStringList &windows = g.model.WindowList;
    const QSet<QString> declared = FormWindowMembers(g.model.CommonSourceLines);
    if (declared.isEmpty())
        return;
    QHash<QString, qsizetype> number;
    for (qsizetype i = 0; i < windows.size(); ++i)
        number.insert(UpperKeepLength(windows.at(i)), i);
    const SourceLineList &lines = g.model.CommonSourceLines;
    const QList<SourceOrigin> &origins = g.model.CommonSourceOrigins;
    SourceLineList aligned;
    QList<SourceOrigin> alignedOrigins;
    aligned.reserve(lines.size() + windows.size());
    qsizetype next = 0; // the value the named enumeration gives its next member
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const SourceOrigin origin = origins.value(i);
        const QStringView code = Code(line);
        if (!inside) {
            inside = StartsFormWindowBlock(code);
        } else if (EndsBlock(code)) {
            inside = false;
        } else if (const QString key = MemberKey(code); !key.isEmpty()) {
            const qsizetype wanted = number.value(key, -1);
            const QString indentation = Left(line, FindString(line, QLatin1Char('#')) - 1);
            for (; next < wanted && !declared.contains(UpperKeepLength(windows.at(next))); ++next) {
                aligned << indentation + QLatin1Char('#') + windows.at(next);
                alignedOrigins << SourceOrigin{};
            }
            ++next;
        }
        aligned << line;
        alignedOrigins << origin;
    }
    g.model.CommonSourceLines = aligned;
    g.model.CommonSourceOrigins = alignedOrigins;
}

} // namespace quarvel
