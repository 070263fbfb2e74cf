#include "interpreter/pb_any_objects.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/object_names.h"
#include "interpreter/source_structure.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <QHash>
#include <QSet>

namespace quarvel {

namespace {

const QString PbAnyBracket = QStringLiteral("(#PB_ANY");

bool IsCreatingCommand(const QString &upperCommand, const NameTables &tables)
{
    static const QSet<QString> creators = {
        QStringLiteral("OPENWINDOW"),      QStringLiteral("CREATEMENU"),           QStringLiteral("CREATEPOPUPMENU"),
        QStringLiteral("CREATEIMAGEMENU"), QStringLiteral("CREATEPOPUPIMAGEMENU"), QStringLiteral("CREATETOOLBAR"),
        QStringLiteral("CREATESTATUSBAR"),
    };
    return creators.contains(upperCommand) || tables.isGadgetCreator(upperCommand);
}

} // namespace

QString AssignedVariable(const QString &text)
{
    const QString name = TrimBlanks(text).section(QLatin1Char('.'), 0, 0);
    if (name.isEmpty() || name.at(0).isDigit())
        return QString();
    for (QChar c : name)
        if (!IsIdentifierChar(UpperChar(c)) || c == QLatin1Char('$'))
            return QString();
    return name;
}

namespace {

// The field a structure field assignment's target names: "btnGo" of "*ui\btnGo" or
// "ui\btnGo"; empty for any other text.
QString FieldName(QStringView target)
{
    qsizetype end = target.startsWith(QLatin1Char('*')) ? 1 : 0;
    qsizetype field = -1;
    while (true) {
        const qsizetype name = end;
        end = IdentifierEnd(target, name);
        if (end == name || target.at(name).isDigit())
            return QString();
        if (end == target.size())
            break;
        if (target.at(end) != QLatin1Char('\\'))
            return QString();
        field = ++end;
    }
    return field < 0 ? QString() : target.sliced(field).toString();
}

// The target of a converted assignment and the constant its object gets.
struct ConvertedTarget {
    QString variable; // the variable, or the field as written
    QString constant;
    bool field = false;
};

// "Var = Command(#PB_Any, ..." as a whole statement becomes "Command(#Var, ..."; the field of
// "*ui\btnGo = Command(#PB_Any, ..." gives "Command(#btnGo, ...". Empty when the line holds
// no such statement.
ConvertedTarget ConvertAssignment(QString &line, const NameTables &tables)
{
    // Few lines assign anything; the "=" is found a block of characters at a time. An unchanged
    // regeneration of 200 x 100 (bench/make_project.py) spent 10.6 M instructions converting
    // with a search for the call on every line, 4.6 M so.
    if (!HoldsChar(line, u'='))
        return {};
    const qsizetype any = IndexOfCallNoCase(line, PbAnyBracket);
    if (any < 0)
        return {};
    const QString upper = UpperKeepLength(line);
    const qsizetype after = any + PbAnyBracket.size();
    if (after < upper.size() && IsIdentifierChar(upper.at(after)))
        return {};
    qsizetype start = any;
    while (start > 0 && IsIdentifierChar(upper.at(start - 1)))
        --start;
    if (!IsCreatingCommand(upper.sliced(start, any - start), tables))
        return {};
    const QString before = TrimBlanks(QStringView(line).first(start));
    if (!before.endsWith(QLatin1Char('=')))
        return {};
    const QString target = TrimBlanks(before.chopped(1));
    ConvertedTarget converted{AssignedVariable(target), {}, false};
    converted.constant = converted.variable;
    if (converted.variable.isEmpty()) {
        converted.constant = FieldName(target);
        converted.variable = converted.constant.isEmpty() ? QString() : target;
        converted.field = true;
    }
    if (!converted.constant.isEmpty()) // the command and its "(#", then the constant for #PB_Any
        line = Indentation(line) + line.sliced(start, any + 2 - start) + converted.constant + line.sliced(after);
    return converted;
}

// A Global line of the sources loses the variables the object variables section declares; a
// line left without any becomes a comment, so no line is added or removed.
void DropDeclaredVariables(QString &line, const QSet<NoCaseKey> &variables)
{
    const QString trimmed = TrimLeadingBlanks(line);
    if (FirstWord(trimmed) != QLatin1String("GLOBAL"))
        return;
    const Declaration declaration = ReadDeclaration(trimmed);
    QStringList kept;
    for (const QString &item : declaration.items)
        if (!variables.contains(NoCaseKey(DeclaredName(item))))
            kept.append(item);
    if (kept.size() == declaration.items.size())
        return;
    line = kept.isEmpty() ? Indentation(line) + QStringLiteral("; ") + trimmed
                          : Indentation(line) + trimmed.left(declaration.itemsAt) + QLatin1Char(' ')
                                + kept.join(QStringLiteral(", "));
}

// The words of a line's code, upper-cased, "=" and "<>" standing apart: "If hWnd=0" gives
// IF, HWND, =, 0.
QStringList UpperCodeWords(const QString &code)
{
    QString spaced = UpperKeepLength(code);
    spaced.replace(QStringLiteral("<>"), QStringLiteral(" <> "));
    spaced.replace(QLatin1Char('='), QStringLiteral(" = "));
    spaced.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return spaced.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// "If hWnd", "If Not hWnd", "If hWnd = 0" or "If hWnd <> 0" right after "hWnd =
// OpenWindow(#PB_Any, ...)" asks whether the window opened. Now that the variable holds the
// window's number, which is 0 for the first window, IsWindow() answers that instead.
void TestOpenedWindow(QString &line, const QString &variable)
{
    const qsizetype comment = IndexOfChar(line, u';');
    const QString code = comment < 0 ? line : line.first(comment);
    const QString v = UpperKeepLength(variable);
    const QString zero = QStringLiteral("0");
    const QStringList words = UpperCodeWords(code);
    const bool test = words == QStringList{QStringLiteral("IF"), v}
                      || words == QStringList{QStringLiteral("IF"), QStringLiteral("NOT"), v}
                      || words == QStringList{QStringLiteral("IF"), v, QStringLiteral("="), zero}
                      || words == QStringList{QStringLiteral("IF"), v, QStringLiteral("<>"), zero};
    if (test)
        line = ReplaceWord(code, variable, QStringLiteral("IsWindow(") + variable + QLatin1Char(')'))
               + (comment < 0 ? QString() : line.sliced(comment));
}

bool IsCodeLine(const QString &line)
{
    const QString text = TrimLeadingBlanks(line);
    return !text.isEmpty() && !text.startsWith(QLatin1Char(';'));
}

// After a converted OpenWindow, the next line of code may test the window's variable.
void TestOpenedWindowAfter(SourceLines &lines, qsizetype opening, const QString &variable)
{
    if (!StartsNoCase(TrimLeadingBlanksView(lines.at(opening)), u"OPENWINDOW("))
        return;
    for (qsizetype j = opening + 1; j < lines.size(); ++j)
        if (IsCodeLine(lines.at(j)))
            return TestOpenedWindow(lines[j], variable);
}

// The constant of a converted statement "Command(#Constant, ...".
QString CreatedConstant(const QString &line)
{
    const qsizetype bracket = IndexOfText(line, u"(#");
    if (bracket < 0)
        return QString();
    return TrimView(TextBeforeCommaOrClose(line, bracket + 2)).toString();
}

// A field assigned an object keeps being assigned its number, ahead of the creating call:
// "*ui\btnGo = #Main_btnGo : ButtonGadget(#Main_btnGo, ...".
void AssignField(QString &line, const VariableObject &object)
{
    const QString indentation = Indentation(line);
    line = indentation + object.variable + QStringLiteral(" = #") + object.constant + QStringLiteral(" : ")
           + line.sliced(indentation.size());
}

} // namespace

bool IsPbAnyAtIndex(QStringView text, qsizetype at)
{
    const QStringView word = u"PB_ANY";
    if (at > text.size() || !StartsNoCase(text.sliced(at), word))
        return false;
    const qsizetype after = at + word.size();
    return after == text.size() || !IsIdentifierChar(UpperChar(text.at(after)));
}

void ConvertPbAnyObjects(DesignModel &model, const NameTables &nameTables)
{
    SourceLines &lines = model.CommonSourceLines;
    QSet<NoCaseKey> variables; // the keys hold their names: the lines get rewritten
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString &line = lines[i];
        if (TrimLeadingBlanksView(line).startsWith(QLatin1Char(';')))
            continue;
        const ConvertedTarget converted = ConvertAssignment(line, nameTables);
        if (converted.constant.isEmpty())
            continue;
        model.VariableObjects.append({converted.variable, converted.constant, i, converted.field});
        if (converted.field)
            continue;
        variables.insert(NoCaseKey::Holding(converted.variable));
        TestOpenedWindowAfter(lines, i, converted.variable);
    }
    for (const ImageRecord &image : std::as_const(model.ImageList)) {
        if (!image.variable.isEmpty())
            variables.insert(NoCaseKey::Holding(image.variable));
    }
    if (variables.isEmpty())
        return;
    for (QString &line : lines)
        DropDeclaredVariables(line, variables);
}

void NumberRepeatedConstants(DesignModel &model, const DeclaringLines &declaring)
{
    if (model.VariableObjects.size() < 2)
        return;
    QSet<NoCaseKey> declared; // the keys hold the names: the lines change below
    for (const DeclaringLine &d : declaring)
        declared.insert(
            NoCaseKey::Holding(DeclaredName(model.CommonSourceLines.at(d.line), d.declaration.bracket).toString()));
    QSet<NoCaseKey> met;   // the constants of the objects before; the keys hold them
    QSet<NoCaseKey> added; // the names given here; the keys hold them
    for (VariableObject &object : model.VariableObjects) {
        QString &line = model.CommonSourceLines[object.line];
        const QString constant = CreatedConstant(line);
        if (!met.contains(NoCaseKey(constant))) {
            met.insert(NoCaseKey::Holding(constant));
            continue;
        }
        QString numbered;
        for (int n = 2;
             numbered.isEmpty() || declared.contains(NoCaseKey(numbered)) || added.contains(NoCaseKey(numbered)); ++n)
            numbered = constant + QLatin1Char('_') + QString::number(n);
        added.insert(NoCaseKey::Holding(numbered));
        const qsizetype at = IndexOfText(line, constant, IndexOfText(line, u"(#"));
        line = line.first(at) + numbered + line.sliced(at + constant.size());
        object.numbered = true;
    }
}

void ResolveVariableObjects(DesignModel &model, LogSink &log)
{
    QList<VariableObject> resolved;
    QHash<NoCaseKey, qsizetype> held; // variable -> its object in resolved
    for (VariableObject object : std::as_const(model.VariableObjects)) {
        QString &line = model.CommonSourceLines[object.line];
        object.constant = CreatedConstant(line);
        const NoCaseKey key = NoCaseKey::Holding(object.variable);
        const auto first = held.constFind(key);
        if (object.field)
            AssignField(line, object);
        if (first == held.cend()) {
            held.insert(key, resolved.size());
            resolved.append(object);
        } else if (object.numbered) {
            // A second object of the window: both keep their constants, the variable the last.
            const QStringList locations{SourceLocation(model, resolved.at(*first).line),
                                        SourceLocation(model, object.line)};
            WarnAtSourceLine(log, model,
                             SecondObjectOfVariableWarning(object.variable, locations,
                                                           {resolved.at(*first).constant, object.constant}),
                             object.line);
            resolved[*first] = object;
        } else {
            WarnAtSourceLine(
                log, model,
                VariableHoldsTwoWarning(object.variable, object.constant, SourceLocation(model, object.line)),
                object.line);
        }
    }
    model.VariableObjects = resolved;
}

} // namespace quarvel
