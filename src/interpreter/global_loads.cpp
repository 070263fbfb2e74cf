#include "interpreter/global_loads.h"

#include "base/basic_strings.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"
#include "interpreter/pb_any_objects.h"
#include "model/design_model.h"

#include <QHash>

#include <optional>

namespace quarvel {

QString FirstArgumentAt(const QString &line, qsizetype bracket)
{
    const qsizetype comma = IndexOfChar(line, u',', bracket + 1);
    return comma < 0 ? QString() : line.sliced(bracket + 1, comma - bracket - 1);
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

// A global image or font load outside any procedure is recorded instead of kept: the generated
// sections load them. True when the line was recorded.
bool RecordGlobalLoads(DesignModel &model, const QString &line)
{
    bool recorded = RecordGlobalImage(model, line);
    const qsizetype font = IndexOfCallNoCase(line, u"LOADFONT(");
    if (font >= 0 && !HoldsChar(QStringView(line).first(font), u';')) {
        model.FontList.append({FirstArgumentAt(line, font + 8), line});
        recorded = true;
    }
    return recorded;
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
