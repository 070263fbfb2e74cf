#include "interpreter/generated_constants.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/constant_declarations.h"
#include "model/design_model.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <utility>

namespace quarvel {

namespace {

// The form designer's FormWindow and FormGadget blocks keep their members: Quarvel's numbering
// is lined up with them.
bool IsFormDesignerBlock(const QString &block)
{
    return block == QLatin1String("FORMWINDOW") || block == QLatin1String("FORMGADGET");
}

// The sources' own declarations this pass may drop: the members of their enumerations and the
// "#Name = ..." statements outside procedures.
QList<ConstantDeclaration> KeptDeclarations(const SourceLineList &lines)
{
    QList<ConstantDeclaration> kept;
    bool inProcedure = false;
    qsizetype line = 0; // the procedures are followed up to here
    for (ConstantDeclaration &declaration : ConstantDeclarations(lines)) {
        for (; line <= declaration.line; ++line) {
            const QStringView start = TrimLeadingBlanksView(lines.at(line));
            const QChar first = start.isEmpty() ? QChar() : UpperChar(start.front());
            if (first != QLatin1Char('P') && first != QLatin1Char('E'))
                continue; // neither a procedure's head nor its end
            if (ReadProcedureHead(lines.at(line)))
                inProcedure = true;
            else if (IsProcedureEnd(lines.at(line)))
                inProcedure = false;
        }
        if (declaration.member ? !IsFormDesignerBlock(declaration.block) : !inProcedure)
            kept.append(std::move(declaration));
    }
    return kept;
}

// The names of Quarvel's own constants among the asked ones: the sections' names are many
// (every gadget), the sources' own constants few, so each name is looked up among those.
QSet<NoCaseKey> GeneratedAmong(const DesignModel &m, const QSet<NoCaseKey> &asked)
{
    QSet<NoCaseKey> generated; // views the names of the design model
    const auto note = [&](QStringView name) {
        if (asked.contains(NoCaseKey(name)))
            generated.insert(NoCaseKey(name));
    };
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
    return generated;
}

// What becomes of a statement of a line: dropped, given the value it had as "= value", or with
// #PB_Compiler_EnumerationValue replaced by the value it had.
struct StatementChange {
    qsizetype at = 0;
    bool dropped = false;
    QString value;
    bool enumerationValue = false;
};

QString ChangedStatement(QStringView statement, const StatementChange &change)
{
    if (change.enumerationValue)
        return ReplaceString(statement.toString(), QStringLiteral("#PB_Compiler_EnumerationValue"), change.value, true);
    return statement.toString() + QStringLiteral(" = ") + change.value;
}

// The line with its changed statements. A line whose every statement is dropped becomes a
// comment; otherwise the dropped ones go into a comment after the others, as written.
QString ChangedLine(const QString &line, const QList<StatementChange> &changes)
{
    const auto changeAt = [&](const QStringView statement) {
        const qsizetype at = statement.data() - line.constData();
        const auto found = std::find_if(changes.cbegin(), changes.cend(),
                                        [at](const StatementChange &change) { return change.at == at; });
        return found == changes.cend() ? nullptr : &*found;
    };
    const QList<QStringView> statements = Statements(CodeOfLine(line));
    QStringList kept;
    QStringList dropped;
    for (const QStringView statement : statements) {
        const StatementChange *change = changeAt(statement);
        if (change && change->dropped)
            dropped << statement.toString();
        else
            kept << (change ? ChangedStatement(statement, *change) : statement.toString());
    }
    if (kept.isEmpty())
        return CommentedOut(line);
    if (dropped.isEmpty()) { // the values go in after their members, the rest stays as written
        QString changed = line;
        for (auto statement = statements.crbegin(); statement != statements.crend(); ++statement)
            if (const StatementChange *change = changeAt(*statement))
                changed.replace(statement->data() - line.constData(), statement->size(),
                                ChangedStatement(*statement, *change));
        return changed;
    }
    const QStringView comment = TrimBlanksView(QStringView(line).sliced(ScanCodeLine(line).CodeEnd()));
    return Indentation(line) + kept.join(QStringLiteral(" : ")) + QStringLiteral(" ; ")
           + dropped.join(QStringLiteral(" : "))
           + (comment.isEmpty() ? QString() : QLatin1Char(' ') + comment.toString());
}

} // namespace

void DropGeneratedConstants(DesignModel &model)
{
    SourceLines &lines = model.CommonSourceLines;
    const QList<ConstantDeclaration> declared = KeptDeclarations(lines.texts());
    if (declared.isEmpty())
        return;
    QSet<NoCaseKey> asked; // views the keys of declared
    for (const ConstantDeclaration &constant : declared)
        asked.insert(NoCaseKey(constant.key));
    const QSet<NoCaseKey> generated = GeneratedAmong(model, asked);
    QHash<NoCaseKey, const PrefixedName *> prefixed; // the old names asked for
    for (const PrefixedName &object : std::as_const(model.PrefixedObjects))
        if (asked.contains(NoCaseKey(object.oldName)))
            prefixed.insert(NoCaseKey(object.oldName), &object);

    // A dropped member must not move the ones after it: the next one kept is given its value,
    // and so is #PB_Compiler_EnumerationValue after a block whose last members are dropped. A
    // named enumeration counts on in its next block, so a gap is followed by the block's name.
    QHash<QString, bool> gapIn;
    QSet<NoCaseKey> aliased;
    QHash<qsizetype, QList<StatementChange>> changes; // by line
    for (const ConstantDeclaration &constant : declared) {
        const QString block = constant.block.isEmpty() ? Str(constant.enumeration) : constant.block;
        const PrefixedName *object = prefixed.value(NoCaseKey(constant.key));
        if (generated.contains(NoCaseKey(constant.key)) || object) {
            changes[constant.line].append({constant.at, true, {}});
            if (constant.member)
                gapIn[block] = true;
            // The old name stays declared, as the new one: code Quarvel does not rewrite (an
            // include of the sources, the user's own files) still reaches the same object.
            if (object && !generated.contains(NoCaseKey(constant.key)) && !aliased.contains(NoCaseKey(constant.key))) {
                aliased.insert(NoCaseKey(constant.key));
                const QString &line = lines.at(constant.line);
                model.OldObjectConstants.append({line.mid(constant.at + 1, constant.key.size()), object->newName});
            }
        } else if (constant.member && std::exchange(gapIn[block], false) && !constant.assigned) {
            changes[constant.line].append({constant.at, false, constant.valueText});
        } else if (!constant.enumerationValue.isEmpty() && gapIn.value(block)) {
            changes[constant.line].append({constant.at, false, constant.enumerationValue, true});
        }
    }
    for (auto change = changes.cbegin(); change != changes.cend(); ++change)
        lines[change.key()] = ChangedLine(lines.at(change.key()), change.value());
}

} // namespace quarvel
