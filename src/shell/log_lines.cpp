#include "shell/log_lines.h"

#include <QRegularExpression>

namespace quarvel {

namespace {

// The engine's lines start with " -> " or "- " before the word that says what they report.
QString Subject(const QString &line)
{
    QString text = line.trimmed();
    for (const QLatin1String lead : {QLatin1String("->"), QLatin1String("-")}) {
        if (text.startsWith(lead))
            return text.mid(lead.size()).trimmed();
    }
    return text;
}

const QLatin1String WriteFileLead(" -> Write File ");

// Where the path of a line ends: before " / Errorcode", " / Count Change" or " holds ...".
QString CutPath(QString text)
{
    for (const QLatin1String end : {QLatin1String(" / "), QLatin1String(" holds characters")}) {
        const qsizetype at = text.indexOf(end);
        if (at >= 0)
            text.truncate(at);
    }
    return text.trimmed();
}

FileReference EngineLineFile(const QString &line)
{
    static const QLatin1String leads[] = {
        WriteFileLead, QLatin1String(" -> Error OpenFile "), QLatin1String(" -> Error WriteFile "),
        QLatin1String(" -> Error File "), QLatin1String(" -> Update Includefile "), QLatin1String(" -> Warning: "),
    };
    for (const QLatin1String lead : leads) {
        if (line.startsWith(lead))
            return {CutPath(line.mid(lead.size())), 0};
    }
    return {};
}

FileReference ReportLineFile(const QString &line)
{
    static const QRegularExpression withColon(QStringLiteral(R"(^\s*(\S[^:]*\.pb[a-z]?):(\d+)\b)"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression withWord(QStringLiteral(R"((\S+\.pb[a-z]?)\s*\(line (\d+)\))"),
                                             QRegularExpression::CaseInsensitiveOption);
    for (const QRegularExpression *pattern : {&withColon, &withWord}) {
        const QRegularExpressionMatch match = pattern->match(line);
        if (match.hasMatch())
            return {match.captured(1).trimmed(), match.captured(2).toInt()};
    }
    return {};
}

QString Counted(int count, const char *what)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(what) + (count == 1 ? "" : "s");
}

} // namespace

LogLineKind ClassifyLogLine(const QString &line)
{
    const QString subject = Subject(line);
    if (subject.startsWith(QLatin1String("Error"), Qt::CaseInsensitive))
        return LogLineKind::Error;
    if (subject.startsWith(QLatin1String("Warning"), Qt::CaseInsensitive))
        return LogLineKind::Warning;
    return LogLineKind::Plain;
}

FileReference FileNamedBy(const QString &line)
{
    const FileReference engine = EngineLineFile(line);
    return engine.path.isEmpty() ? ReportLineFile(line) : engine;
}

QString WrittenFile(const QString &line)
{
    static const QLatin1String includeLead(" -> Update Includefile ");
    if (line.startsWith(WriteFileLead))
        return line.mid(WriteFileLead.size());
    return line.startsWith(includeLead) ? CutPath(line.mid(includeLead.size())) : QString();
}

void RunSummary::Count(const QString &line)
{
    const LogLineKind kind = ClassifyLogLine(line);
    if (kind == LogLineKind::Error)
        ++errors;
    else if (kind == LogLineKind::Warning)
        ++warnings;
    else if (line == QLatin1String("Ready.") || line == QLatin1String("Cancel."))
        outcome = line.chopped(1);
}

QString RunSummary::Text() const
{
    return (outcome.isEmpty() ? QStringLiteral("Stopped") : outcome) + QStringLiteral(" — ") + Counted(errors, "error") + QStringLiteral(", ")
           + Counted(warnings, "warning");
}

} // namespace quarvel
