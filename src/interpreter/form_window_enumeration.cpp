#include "interpreter/form_window_enumeration.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "model/design_model.h"

#include <QHash>
#include <QSet>

#include <optional>
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

namespace {

// The name and first value of an "Enumeration [Name] [first]" line; known is false for a
// first value PureBasic works out from other constants, a Step or a binary enumeration.
struct EnumerationHead {
    QString name;
    qint64 first = 0;
    bool continues = true; // no first value: a named enumeration counts on
    bool known = true;
};

std::optional<EnumerationHead> HeadOfBlock(QStringView code)
{
    if (!StartsNoCase(code, u"ENUMERATION") || IdentifierEnd(code, 0) != 11)
        return std::nullopt;
    EnumerationHead head;
    QStringView rest = TrimBlanksView(code.sliced(11));
    if (const qsizetype nameEnd = IdentifierEnd(rest, 0); nameEnd > 0 && !rest.front().isDigit()) {
        head.name = UpperKeepLength(rest.first(nameEnd));
        rest = TrimBlanksView(rest.sliced(nameEnd));
    }
    if (!rest.isEmpty()) {
        head.first = rest.toLongLong(&head.known);
        head.continues = false;
    }
    return head;
}

// "#Name = 5" outside an enumeration: the name and its value.
std::optional<EnumerationMember> ConstantDefinition(QStringView code, qsizetype line)
{
    const QString key = MemberKey(code);
    const QStringView rest = key.isEmpty() ? QStringView() : TrimBlanksView(code.sliced(key.size() + 1));
    if (!rest.startsWith(QLatin1Char('=')))
        return std::nullopt;
    bool number = false;
    const qint64 value = TrimBlanksView(rest.sliced(1)).toLongLong(&number);
    return number ? std::optional<EnumerationMember>({key, value, line, QString()}) : std::nullopt;
}

} // namespace

QList<EnumerationMember> DeclaredConstants(const SourceLineList &lines)
{
    QList<EnumerationMember> members;
    QHash<QString, qint64> nextOfName; // a named enumeration goes on counting from block to block
    std::optional<EnumerationHead> block;
    qint64 next = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringView code = Code(lines.at(i));
        if (!block) {
            if ((block = HeadOfBlock(code)))
                next = block->continues ? nextOfName.value(block->name) : block->first;
            else if (const auto constant = ConstantDefinition(code, i))
                members.append(*constant);
        } else if (EndsBlock(code)) {
            if (block->known && !block->name.isEmpty())
                nextOfName.insert(block->name, next);
            block.reset();
        } else if (const QString key = MemberKey(code); !key.isEmpty() && block->known) {
            // "#Name = 5" sets the count; from a value worked out of other constants on, the
            // block's values are not known here.
            const QStringView rest = TrimBlanksView(code.sliced(key.size() + 1));
            if (rest.startsWith(QLatin1Char('=')))
                next = TrimBlanksView(rest.sliced(1)).toLongLong(&block->known);
            if (block->known)
                members.append({key, next++, i, block->name});
        }
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
