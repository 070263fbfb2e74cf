#include "interpreter/generated_constants.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/opening_procedure.h"
#include "model/design_model.h"

#include <QSet>

namespace quarvel {

namespace {

enum class Enumeration { None, Own, FormDesigner };

// The enumeration a statement opens: "Enumeration FormWindow" and "Enumeration FormGadget" are
// the form designer's.
Enumeration OpenedEnumeration(QStringView statement, const QString &word)
{
    if (word != QLatin1String("ENUMERATION") && word != QLatin1String("ENUMERATIONBINARY"))
        return Enumeration::None;
    const QString name = FirstWord(TrimBlanksView(statement.sliced(word.size())));
    return name == QLatin1String("FORMWINDOW") || name == QLatin1String("FORMGADGET") ? Enumeration::FormDesigner
                                                                                      : Enumeration::Own;
}

struct DeclaredConstant {
    qsizetype line;
    QString name; // without "#"
};

// The members of the sources' own enumerations and the top-level "#Name = ..." lines.
QList<DeclaredConstant> SourceConstants(const SourceLineList &lines)
{
    QList<DeclaredConstant> declared;
    Enumeration enumeration = Enumeration::None;
    bool inProcedure = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const QStringView start = TrimLeadingBlanksView(line);
        const QChar first = start.isEmpty() ? QChar() : UpperChar(start.front());
        if (first != QLatin1Char('#') && first != QLatin1Char('E') && first != QLatin1Char('P'))
            continue; // neither a constant, an enumeration nor a procedure's head or end
        if (ReadProcedureHead(line))
            inProcedure = true;
        else if (IsProcedureEnd(line))
            inProcedure = false;
        const QString code = BlankedCode(line);
        const QList<QStringView> statements = Statements(code);
        if (statements.size() != 1)
            continue;
        const QStringView statement = statements.first();
        const QString word = FirstWord(statement);
        if (const Enumeration opened = OpenedEnumeration(statement, word); opened != Enumeration::None)
            enumeration = opened;
        else if (word == QLatin1String("ENDENUMERATION"))
            enumeration = Enumeration::None;
        else if (statement.startsWith(QLatin1Char('#')) && enumeration != Enumeration::FormDesigner
                 && (enumeration == Enumeration::Own || (!inProcedure && HoldsChar(statement, QLatin1Char('=')))))
            declared.append({i, statement.sliced(1, IdentifierEnd(statement, 1) - 1).toString()});
    }
    return declared;
}

} // namespace

void DropGeneratedConstants(DesignModel &model)
{
    SourceLines &lines = model.CommonSourceLines;
    const QList<DeclaredConstant> declared = SourceConstants(lines.texts());
    if (declared.isEmpty())
        return;
    QSet<NoCaseKey> asked;
    for (const DeclaredConstant &constant : declared)
        asked.insert(NoCaseKey(constant.name));
    // The sections' names are many (every gadget), the sources' own constants few: each name
    // is looked up among those, without a copy.
    QSet<NoCaseKey> generated; // views the names of the design model
    const auto note = [&](QStringView name) {
        if (asked.contains(NoCaseKey(name)))
            generated.insert(NoCaseKey(name));
    };
    const DesignModel &m = model;
    for (const QStringList *names : {&m.WindowList, &m.MenuList, &m.MenuItemList, &m.StatusBarList, &m.ToolBarList})
        for (const QString &name : *names)
            note(name);
    for (const GadgetRecord &gadget : m.GadgetList)
        note(gadget.name);
    for (const ImageRecord &image : m.ImageList)
        if (const QStringView name = TrimBlanksView(image.name); name.startsWith(QLatin1Char('#')))
            note(name.sliced(1));
    for (const FontRecord &font : m.FontList)
        if (const QStringView name = TrimBlanksView(font.name); name.startsWith(QLatin1Char('#')))
            note(name.sliced(1));
    for (const DeclaredConstant &constant : declared) {
        if (!generated.contains(NoCaseKey(constant.name)))
            continue;
        lines[constant.line] = CommentedOut(lines.at(constant.line));
    }
}

} // namespace quarvel
