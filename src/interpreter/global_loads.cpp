#include "interpreter/global_loads.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/shared_lines.h"
#include "base/statement_scan.h"
#include "interpreter/pb_any_objects.h"
#include "interpreter/source_structure.h"
#include "model/design_model.h"

#include <QHash>
#include <QSet>

#include <optional>

namespace quarvel {

QString FirstArgumentAt(const QString &line, qsizetype bracket)
{
    const qsizetype comma = IndexOfChar(line, u',', bracket + 1);
    return comma < 0 ? QString() : line.sliced(bracket + 1, comma - bracket - 1);
}

namespace {

// The arguments after the first of the call whose "(" stands at index bracket, up to its own
// ")"; null when the call has no second argument or does not end on the line.
QStringView LaterArguments(QStringView line, qsizetype bracket)
{
    const CallShape shape = CallShapeAt(line, bracket);
    if (shape.close < 0 || shape.commas.isEmpty())
        return {};
    return line.sliced(shape.commas.first() + 1, shape.close - shape.commas.first() - 1);
}

} // namespace

bool LoadsLiteralFile(QStringView code, qsizetype bracket)
{
    const CallShape shape = CallShapeAt(code, bracket);
    if (shape.close < 0 || shape.commas.isEmpty())
        return false;
    const qsizetype from = shape.commas.first() + 1;
    const qsizetype to = shape.commas.size() > 1 ? shape.commas.at(1) : shape.close;
    const QStringView file = TrimBlanksView(code.sliced(from, to - from));
    return file.size() >= 2 && file.front() == u'"' && file.back() == u'"'
           && IndexOfChar(file.sliced(1), u'"') == file.size() - 2;
}

namespace {

// The text between the first pair of double quotes of the line; empty without such a pair.
QString FirstQuotedText(const QString &line)
{
    const qsizetype q1 = IndexOfChar(line, u'"');
    const qsizetype q2 = q1 < 0 ? -1 : IndexOfChar(line, u'"', q1 + 1);
    if (q2 < 0)
        return QString();
    return line.sliced(q1 + 1, q2 - q1 - 1);
}

// The variable a global load's result is kept in, "Img" of "Global Img.i = LoadImage(...";
// empty when the result is not assigned.
QString AssignedImageVariable(const QString &line, qsizetype call)
{
    QString before = TrimBlanks(QStringView(line).first(call));
    if (!before.endsWith(QLatin1Char('=')))
        return QString();
    before = TrimBlanks(before.chopped(1));
    for (const QStringView keyword : {u"GLOBAL", u"DEFINE"}) {
        const qsizetype n = keyword.size();
        if (StartsNoCase(before, keyword) && before.size() > n
            && (before.at(n) == QLatin1Char(' ') || before.at(n) == QLatin1Char('\t')))
            before = before.mid(n);
    }
    return AssignedVariable(before);
}

// The names that blanked code reads: identifiers that are no constant, field, type or call.
QStringList ReadNames(QStringView code)
{
    QStringList names;
    for (WordSpan w = NextWord(code, 0); w.start < code.size(); w = NextWord(code, w.end)) {
        const QChar before = w.start > 0 ? code.at(w.start - 1) : QChar();
        const QStringView after = TrimLeadingBlanksView(code.sliced(w.end));
        const bool name = !code.at(w.start).isDigit() && before != u'#' && before != u'.' && before != u'\\'
                          && before != u'$' && !after.startsWith(u'(');
        if (name)
            names.append(code.sliced(w.start, w.end - w.start).toString());
    }
    return names;
}

// Whether the arguments, blanked, name nothing of the sources': only literals, numbers and
// PureBasic's own constants, which the generated sections can use ahead of the sources'
// declarations.
bool NamesNothingOfTheSources(QStringView arguments)
{
    if (!ReadNames(arguments).isEmpty())
        return false;
    for (qsizetype h = IndexOfChar(arguments, u'#'); h >= 0; h = IndexOfChar(arguments, u'#', h + 1))
        if (!StartsNoCase(arguments.sliced(h + 1), u"PB_"))
            return false;
    return true;
}

// A load the generated sections can make: an image file given as one literal text, which the
// image section writes again or includes, or font arguments that name nothing of the sources'.
bool Movable(const QString &code, qsizetype bracket, bool image)
{
    if (image)
        return LoadsLiteralFile(code, bracket);
    const QStringView later = TrimBlanksView(LaterArguments(code, bracket));
    return !later.isEmpty() && NamesNothingOfTheSources(later);
}

// Whether the load at index call is a statement of its own, the line's whole code: the call
// alone or assigned, "Global Img = LoadImage(...)". Only such a line can stay in place alone.
bool LoadStatement(const QString &code, qsizetype call, qsizetype bracket)
{
    if (!TrimBlanksView(QStringView(code).first(call)).isEmpty() && AssignedImageVariable(code, call).isEmpty())
        return false;
    const CallShape shape = CallShapeAt(code, bracket);
    const QStringView after = shape.close < 0 ? QStringView()
                                              : TrimBlanksView(QStringView(code).sliced(shape.close + 1));
    return shape.close >= 0 && (after.isEmpty() || after.startsWith(u';'));
}

// The load of the line the generated sections cannot make, when it is a statement of its own:
// the index of its call, -1 for none.
qsizetype LoadKeptInPlace(const QString &line)
{
    static const struct {
        QStringView call;
        bool image;
    } loads[] = {{u"LOADIMAGE(", true}, {u"LOADFONT(", false}};
    const QString code = BlankedCode(line);
    for (const auto &load : loads) {
        const qsizetype k = IndexOfCallNoCase(code, load.call);
        const qsizetype bracket = k + load.call.size() - 1;
        if (k >= 0 && !Movable(code, bracket, load.image) && LoadStatement(code, k, bracket))
            return k;
    }
    return -1;
}

// The DataSection label a CatchImage call takes its data from: "Logo" of "?Logo".
QString CaughtLabel(const QString &line, qsizetype bracket)
{
    const qsizetype comma = IndexOfChar(line, u',', bracket + 1);
    const QStringView argument = comma < 0 ? QStringView() : TrimBlanksView(QStringView(line).sliced(comma + 1));
    if (!argument.startsWith(QLatin1Char('?')))
        return QString();
    return argument.first(IdentifierEnd(argument, 1)).sliced(1).toString();
}

// A global LoadImage or CatchImage: the image section loads the image instead. A #PB_Any load
// gives its image a constant named after the variable it is kept in, and that variable is
// declared to hold the image's number; one whose result is kept nowhere loads nothing any code
// could use. An image caught from a DataSection label goes on being caught from it.
bool RecordGlobalImage(DesignModel &model, const QString &line)
{
    qsizetype call = IndexOfCallNoCase(line, u"LOADIMAGE(");
    const bool caught = call < 0;
    if (caught)
        call = IndexOfCallNoCase(line, u"CATCHIMAGE(");
    if (call < 0 || HoldsChar(QStringView(line).first(call), u';'))
        return false;
    const qsizetype bracket = call + (caught ? 10 : 9);
    ImageRecord image{FirstArgumentAt(line, bracket), caught ? QString() : FirstQuotedText(line), {}, {}};
    if (caught && (image.label = CaughtLabel(line, bracket)).isEmpty())
        return false;
    if (const QString id = TrimBlanks(image.name); id.startsWith(QLatin1Char('#')) && IsPbAnyAtIndex(id, 1)) {
        image.variable = AssignedImageVariable(line, call);
        if (image.variable.isEmpty())
            return true;
        image.name = QLatin1Char('#') + image.variable;
    }
    model.ImageList.append(image);
    return true;
}

// The files of the DataSection labels of a file: "Logo:" followed by IncludeBinary "logo.png",
// on its line or the next. Upper-cased label -> file.
QHash<QString, QString> IncludedBinaries(const QStringList &lines)
{
    QHash<QString, QString> files;
    bool inData = false;
    QString label;
    for (const QString &line : lines) {
        for (const QStringView statement : Statements(CodeOfLine(line))) {
            if (StartsNoCase(statement, u"DATASECTION") || StartsNoCase(statement, u"ENDDATASECTION"))
                inData = StartsNoCase(statement, u"DATASECTION");
            else if (inData && IdentifierEnd(statement, 0) == statement.size())
                label = UpperKeepLength(statement); // a label, its ":" taken by the split
            else if (inData && StartsNoCase(statement, u"INCLUDEBINARY") && !label.isEmpty() && !files.contains(label))
                files.insert(label, FirstQuotedText(statement.toString()));
        }
    }
    return files;
}

} // namespace

GlobalLoad RecordGlobalLoads(DesignModel &model, const QString &line)
{
    // Every load named here holds LOAD or CATCHIMAGE: most lines are passed without blanking
    // their code. Sorting the lines of 200 x 100 (bench/make_project.py) called this for 5.5 M
    // instructions before, 4.1 M so.
    if (!HoldsNoCase(line, u"LOAD") && !HoldsNoCase(line, u"CATCHIMAGE"))
        return GlobalLoad::None;
    if (LoadKeptInPlace(line) >= 0)
        return GlobalLoad::InPlace;
    bool recorded = RecordGlobalImage(model, line);
    const qsizetype font = IndexOfCallNoCase(line, u"LOADFONT(");
    if (font >= 0 && !HoldsChar(QStringView(line).first(font), u';')) {
        // A LoadFont line moves out of the sources, so it is kept apart from its file's text.
        model.FontList.append({FirstArgumentAt(line, font + 8), OwnCopy(line)});
        recorded = true;
    }
    return recorded ? GlobalLoad::Recorded : GlobalLoad::None;
}

QList<bool> LinesKeptForLoads(const QStringList &lines, const QList<LineRole> &roles)
{
    QList<bool> kept(lines.size(), false);
    QSet<NoCaseKey> read;                // the variables the kept lines after the one looked at read
    std::optional<FileStructure> blocks; // read for the first assignment that may be kept
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const bool leftOut = roles.at(i) == LineRole::LeftOut;
        // Most lines are kept or neither load nor assign what a load reads: no line is scanned
        // then. The role is asked first: an unchanged regeneration of 200 x 100
        // (bench/make_project.py) spent 9.0 M instructions here searching every line, 3.1 M so.
        if (!leftOut && roles.at(i) != LineRole::Declaration)
            continue;
        const bool mayLoad = HoldsNoCase(lines.at(i), u"LOAD");
        if (!mayLoad && read.isEmpty())
            continue;
        const QString code = BlankedCode(lines.at(i));
        if (const qsizetype call = mayLoad ? LoadKeptInPlace(lines.at(i)) : -1; call >= 0) {
            kept[i] = leftOut;
            for (const QString &name : ReadNames(QStringView(code).sliced(call)))
                read.insert(NoCaseKey::Holding(name));
            continue;
        }
        if (!leftOut || read.isEmpty())
            continue;
        // An assignment inside a block of the top level would run without its condition.
        if (!blocks)
            blocks = ReadFileStructure(lines);
        if (blocks->depthBefore.at(i) != 0 || blocks->depthAfter.at(i) != 0)
            continue;
        const QList<QStringView> statements = Statements(code);
        bool assigns = !statements.isEmpty();
        for (const QStringView statement : statements) {
            const qsizetype equals = IndexOfChar(statement, u'=');
            QStringView target = equals < 0 ? QStringView() : TrimBlanksView(statement.first(equals));
            if (target.endsWith(u'$'))
                target.chop(1); // "File$ = ..."
            const QString variable = target.isEmpty() ? QString() : AssignedVariable(target.toString());
            assigns = assigns && !variable.isEmpty() && read.contains(NoCaseKey(variable));
        }
        if (!assigns)
            continue;
        kept[i] = true;
        for (const QStringView statement : statements)
            for (const QString &name : ReadNames(statement.sliced(IndexOfChar(statement, u'=') + 1)))
                read.insert(NoCaseKey::Holding(name));
    }
    return kept;
}

// The images a file catches from its own DataSection learn their files there, for the decoders
// the image section declares and for loads of the same file inside procedures.
void FindCaughtImageFiles(QList<ImageRecord> &images, qsizetype from, const QStringList &lines)
{
    std::optional<QHash<QString, QString>> files; // read for the first caught image
    for (qsizetype i = from; i < images.size(); ++i) {
        ImageRecord &image = images[i];
        if (image.label.isEmpty() || !image.file.isEmpty())
            continue;
        if (!files)
            files = IncludedBinaries(lines);
        image.file = files->value(UpperKeepLength(image.label));
    }
}

} // namespace quarvel
