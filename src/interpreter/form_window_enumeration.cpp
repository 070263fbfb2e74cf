#include "interpreter/form_window_enumeration.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/constant_declarations.h"
#include "model/design_model.h"

#include <QHash>
#include <QSet>

#include <utility>

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
    return (gap == QLatin1Char(' ') || gap == QLatin1Char('\t')) && name.size() == 10
           && StartsNoCase(name, u"FORMWINDOW");
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

QList<EnumerationMember> DeclaredConstants(const SourceLineList &lines)
{
    QList<EnumerationMember> members;
    for (const ConstantDeclaration &declaration : ConstantDeclarations(lines)) {
        if (declaration.value)
            members.append({declaration.key, *declaration.value, declaration.line, declaration.block});
    }
    return members;
}

void AlignFormWindowEnumeration(DesignModel &model)
{
    const QStringList &windows = model.WindowList;
    const QSet<QString> declared = FormWindowMembers(model.CommonSourceLines.texts());
    if (declared.isEmpty())
        return;
    QHash<QString, qsizetype> number;
    for (qsizetype i = 0; i < windows.size(); ++i)
        number.insert(UpperKeepLength(windows.at(i)), i);
    const SourceLines &lines = model.CommonSourceLines;
    SourceLines aligned;
    aligned.reserve(lines.size() + windows.size());
    qsizetype next = 0; // the value the named enumeration gives its next member
    bool inside = false;
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        const SourceOrigin origin = lines.origin(i);
        const QStringView code = Code(line);
        if (!inside) {
            inside = StartsFormWindowBlock(code);
            // Quarvel's window enumeration begins above the windows numbered by hand, and so
            // does the first block; the later ones count on from it.
            if (inside && std::exchange(first, false) && model.First.window > 0)
                line.insert(code.data() + code.size() - line.constData(), QLatin1Char(' ') + Str(model.First.window));
        } else if (EndsBlock(code)) {
            inside = false;
        } else if (const QString key = MemberKey(code); !key.isEmpty()) {
            const qsizetype wanted = number.value(key, -1);
            const QString indentation = line.first(qMax(IndexOfChar(line, u'#'), qsizetype(0)));
            for (; next < wanted && !declared.contains(UpperKeepLength(windows.at(next))); ++next) {
                aligned.append(indentation + QLatin1Char('#') + windows.at(next));
            }
            ++next;
        }
        aligned.append(line, origin);
    }
    model.CommonSourceLines = aligned;
}

} // namespace quarvel
