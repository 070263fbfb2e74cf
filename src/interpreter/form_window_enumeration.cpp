#include "interpreter/form_window_enumeration.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

#include <QHash>
#include <QSet>

namespace quarvel {

namespace {

// The code of a line without its leading blanks and its comment, upper-cased.
QString UpperCode(const QString &line)
{
    const QString code = TrimLeadingBlanks(line);
    const int comment = FindString(code, QLatin1Char(';'));
    return UpperKeepLength(TrimBlanks(comment ? Left(code, comment - 1) : code));
}

bool StartsFormWindowBlock(const QString &upperCode)
{
    if (!upperCode.startsWith(QLatin1String("ENUMERATION")) || upperCode.size() < 12)
        return false;
    const QChar gap = upperCode.at(11);
    return (gap == QLatin1Char(' ') || gap == QLatin1Char('\t'))
           && TrimBlanks(QStringView(upperCode).mid(12)) == QLatin1String("FORMWINDOW");
}

bool EndsBlock(const QString &upperCode)
{
    return upperCode.startsWith(QLatin1String("ENDENUMERATION"));
}

// The upper-cased constant an enumeration member line declares, without "#"; empty for others.
QString MemberKey(const QString &upperCode)
{
    if (!upperCode.startsWith(QLatin1Char('#')))
        return QString();
    qsizetype n = 1;
    while (n < upperCode.size() && IsIdentifierChar(upperCode.at(n)))
        ++n;
    return upperCode.mid(1, n - 1);
}

// The window constants every kept FormWindow block declares.
QSet<QString> FormWindowMembers(const SourceLineList &lines)
{
    QSet<QString> members;
    bool inside = false;
    for (const QString &line : lines) {
        const QString code = UpperCode(line);
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
    SourceLineList aligned;
    aligned.reserve(g.model.CommonSourceLines.size() + windows.size());
    qsizetype next = 0; // the value the named enumeration gives its next member
    bool inside = false;
    for (const QString &line : std::as_const(g.model.CommonSourceLines)) {
        const QString code = UpperCode(line);
        if (!inside) {
            inside = StartsFormWindowBlock(code);
        } else if (EndsBlock(code)) {
            inside = false;
        } else if (const QString key = MemberKey(code); !key.isEmpty()) {
            const qsizetype wanted = number.value(key, -1);
            const QString indentation = Left(line, FindString(line, QLatin1Char('#')) - 1);
            for (; next < wanted && !declared.contains(UpperKeepLength(windows.at(next))); ++next)
                aligned << indentation + QLatin1Char('#') + windows.at(next);
            ++next;
        }
        aligned << line;
    }
    g.model.CommonSourceLines = aligned;
}

} // namespace quarvel
