#include "interpreter/numbered_objects.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/numbered_object_walk.h"
#include "model/design_model.h"

#include <QHash>

#include <algorithm>

namespace quarvel {

namespace {

// The objects the walk found created, by class and number; the first creation of a number in a
// window is that window's object.
struct Created {
    QString name;
    qint32 window = -1;
};

// Only a line with a number, a window it turns to, a Select (whose Case labels may be numbers)
// or an event function (assigned to a variable) needs the walk.
bool MayMatter(const QString &line)
{
    return std::any_of(line.cbegin(), line.cend(), [](QChar c) { return c.isDigit(); }) || HoldsNoCase(line, u"SELECT")
           || HoldsNoCase(line, u"OPENWINDOW") || HoldsNoCase(line, u"USEGADGETLIST") || HoldsNoCase(line, u"EVENT")
           || HoldsNoCase(line, u"PROCEDURE");
}

// The names given, by kind word and number: the first free of "Button_1", "Button_1_2", ...
class GivenNames {
public:
    explicit GivenNames(const QSet<QString> &taken) : taken_(taken) {}

    QString of(const Creator &creator, qint64 number)
    {
        const QString plain = creator.word + QLatin1Char('_') + Str(number);
        QString &name = given_[plain];
        if (name.isEmpty()) {
            name = plain;
            for (int k = 2; taken_.contains(UpperKeepLength(name)); ++k)
                name = plain + QLatin1Char('_') + QString::number(k);
        }
        return name;
    }

private:
    const QSet<QString> &taken_;
    QHash<QString, QString> given_;
};

// Whether a call whose name ends with last may be a creator's. Nearly every call with a number
// first is another command's ("LoadImage(4", "CreateMenu(0"), told by the last letter of its name
// without upper-casing the name to look it up: looking each up cost an unchanged regeneration of
// 200 x 100 (bench/make_project.py) 2 M instructions more (callgrind).
bool MayEndCreator(QChar last)
{
    static const quint32 endings = [] {
        quint32 letters = 0; // bit k: a creator's name ends with the letter "A" + k
        for (auto creator = Creators().keyBegin(); creator != Creators().keyEnd(); ++creator) {
            if (const char16_t end = creator->back().unicode(); end >= u'A' && end <= u'Z')
                letters |= 1u << (end - u'A');
        }
        return letters;
    }();
    const char16_t upper = UpperChar(last).unicode();
    return upper < u'A' || upper > u'Z' || ((endings >> (upper - u'A')) & 1u);
}

// Whether the line calls a creator with a number first: "ButtonGadget(1", "MenuItem( 101". Only
// brackets followed by a digit are looked at.
bool CreatesNumbered(const QString &line)
{
    const QStringView text(line);
    return FindAnyOf(
               text, 0,
               [&](qsizetype open) {
                   const QStringView after = TrimLeadingBlanksView(text.sliced(open + 1));
                   if (after.isEmpty() || !after.front().isDigit())
                       return false;
                   qsizetype start = open;
                   while (start > 0 && IsIdentifierChar(text.at(start - 1)))
                       --start;
                   return start < open && MayEndCreator(text.at(open - 1))
                          && Creators().contains(UpperKeepLength(text.sliced(start, open - start)));
               },
               u'(')
           >= 0;
}

} // namespace

bool CreatesNumberedObjects(const QStringList &lines)
{
    return std::any_of(lines.cbegin(), lines.cend(), CreatesNumbered);
}

QSet<QString> ConstantsBesideNumbers(const QList<QStringList> &files)
{
    QSet<QString> names;
    for (const QStringList &lines : files) {
        for (const QString &line : lines) {
            if (!HoldsChar(line, u'#'))
                continue;
            const QString code = BlankedCode(line);
            for (qsizetype h = IndexOfChar(code, u'#'); h >= 0; h = IndexOfChar(code, u'#', h + 1)) {
                if (const qsizetype end = IdentifierEnd(code, h + 1); end > h + 1)
                    names.insert(UpperKeepLength(QStringView(code).sliced(h + 1, end - h - 1)));
            }
        }
    }
    return names;
}

void NameNumberedObjects(DesignModel &model, QStringList &lines, qint32 fileIndex, const QList<bool> &skipped,
                         const QSet<QString> &taken)
{
    GivenNames names(taken);
    NumberWalk walk;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!skipped.value(i) && MayMatter(lines.at(i)))
            walk.line(BlankedCode(lines.at(i)), i);
    }
    QHash<quint64, QList<Created>> created; // class << 56 | number
    const auto key = [](NumberClass numbers, qint64 number) { return quint64(numbers) << 56 | quint64(number); };
    for (const NumberUse &use : std::as_const(walk.uses)) {
        if (!use.creator || use.numbers == NumberClass::None || (use.numbers != NumberClass::Window && use.window < 0))
            continue;
        QList<Created> &objects = created[key(use.numbers, use.number)];
        const QString name = names.of(*use.creator, use.number);
        if (std::none_of(objects.cbegin(), objects.cend(), [&](const Created &c) { return c.window == use.window; }))
            objects.append({name, use.window});
        model.NumberedObjects.append({use.creator->kind, name, use.number, {fileIndex, qint32(use.line + 1)}});
    }
    // Right to left along each line, so that the places of the numbers still to replace hold.
    std::sort(walk.uses.begin(), walk.uses.end(), [](const NumberUse &a, const NumberUse &b) {
        return a.line != b.line ? a.line < b.line : a.start < b.start;
    });
    for (qsizetype u = walk.uses.size() - 1; u >= 0; --u) {
        const NumberUse &use = walk.uses.at(u);
        if (u > 0 && walk.uses.at(u - 1).line == use.line && walk.uses.at(u - 1).start == use.start)
            continue; // one number read twice
        const QList<Created> objects = created.value(key(use.numbers, use.number));
        if (objects.isEmpty())
            continue;
        const auto own = std::find_if(objects.cbegin(), objects.cend(),
                                      [&](const Created &c) { return c.window == use.window; });
        const QString name = use.creator             ? names.of(*use.creator, use.number)
                             : own != objects.cend() ? own->name
                                                     : objects.first().name;
        lines[use.line].replace(use.start, use.size, QLatin1Char('#') + name);
    }
}

} // namespace quarvel
