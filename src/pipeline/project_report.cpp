#include "pipeline/project_report.h"

#include "base/line_scan.h"
#include "emit/event_procedures.h"
#include "interpreter/common_file_loading.h"
#include "model/generation_context.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace quarvel {

namespace {

QSet<QString> LowerSet(const QStringList &names)
{
    QSet<QString> set;
    set.reserve(names.size());
    for (const QString &name : names)
        set.insert(LowerCase(name));
    return set;
}

// The name of a procedure head ("Procedure.i Name(...)"), empty for any other line.
QString ProcedureName(const QString &line)
{
    const QStringView trimmed = TrimBlanksView(line);
    if (trimmed.size() <= 9 || !StartsNoCase(trimmed, u"PROCEDURE"))
        return {};
    const QChar after = trimmed.at(9);
    if (after != QLatin1Char(' ') && after != QLatin1Char('\t') && after != QLatin1Char('.'))
        return {};
    const qsizetype bracket = trimmed.indexOf(QLatin1Char('('));
    if (bracket < 0)
        return {};
    const QStringView head = TrimBlanksView(trimmed.sliced(9, bracket - 9));
    return head.sliced(head.lastIndexOf(QLatin1Char(' ')) + 1).toString(); // after a ".type"
}

bool IsEndProcedure(const QString &line)
{
    return StartsNoCase(TrimBlanksView(line), u"ENDPROCEDURE");
}

// A procedure head of an event file, the line it stands on and its name lower-cased once.
struct NamedHead {
    qsizetype line;
    QString name;
    QString lower;
};

QList<NamedHead> ProcedureHeads(const SourceLineList &lines)
{
    QList<NamedHead> heads;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (QString name = ProcedureName(lines[i]); !name.isEmpty())
            heads.append({i, name, LowerCase(name)});
    }
    return heads;
}

// Whether the line holds name directly followed by suffix, without building the joined text.
bool HoldsFollowedBy(QStringView line, QStringView name, QLatin1StringView suffix)
{
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
        if (line.sliced(at + name.size()).startsWith(suffix))
            return true;
    }
    return false;
}

// One kind of event procedure: the file it lives in, its name prefix and its head's tail.
struct EventKind {
    const char *file;
    const char *prefix;
    const char *suffix;
    QStringList objects;
};

// The user's lines in a procedure body: not blank, not a comment, not a line of the skeleton.
int UserLinesOf(const SourceLineList &lines, qsizetype head, const QSet<QString> &skeleton)
{
    int count = 0;
    for (qsizetype i = head + 1; i < lines.size() && !IsEndProcedure(lines[i]); ++i) {
        const QString text = TrimBlanks(lines[i]);
        if (!text.isEmpty() && !text.startsWith(QLatin1Char(';')) && !skeleton.contains(text))
            ++count;
    }
    return count;
}

QSet<QString> SkeletonLines()
{
    SourceLineList body;
    EmitGadgetEventBody(body, QString());
    QSet<QString> set;
    for (const QString &line : body)
        set.insert(TrimBlanks(line));
    return set;
}

// The lower-cased object name of a head: when the head holds the ASCII prefix as written, the
// rest of its lower-cased name, which saves a second lower-casing.
QString ObjectLower(const QString &name, const QString &lower, const QString &prefix)
{
    return name.startsWith(prefix) ? lower.mid(prefix.size()) : LowerCase(name.mid(prefix.size()));
}

// Orphaned procedures (no object of their name any more) and edited heads (the object's
// name in another letter case or with another parameter, so a standard skeleton stands
// beside the user's procedure).
void FindEventProcedureFindings(const SourceLineList &lines, const QList<NamedHead> &heads, const EventKind &kind,
                                QList<ReportFinding> &out)
{
    const QString prefix = QLatin1String(kind.prefix);
    const QSet<QString> objects = LowerSet(kind.objects);
    QHash<QString, qsizetype> standardHeads; // lower-cased name -> line of the standard head
    for (const NamedHead &head : heads) {
        if (head.name.startsWith(prefix) && HoldsFollowedBy(lines[head.line], head.name, QLatin1String(kind.suffix)))
            standardHeads.insert(head.lower, head.line);
    }
    static const QSet<QString> skeleton = SkeletonLines();
    for (const auto &[i, name, lower] : heads) {
        // The exact case first: a case-insensitive compare costs a case folding per character.
        if (!name.startsWith(prefix) && !name.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString object = name.mid(prefix.size());
        const auto standard = standardHeads.constFind(lower);
        if (!objects.contains(ObjectLower(name, lower, prefix))) {
            out.append({QStringLiteral("orphaned-procedure"), QLatin1String(kind.file), int(i + 1),
                        name + QStringLiteral(" has no object any more; left in place, it holds ")
                            + QString::number(UserLinesOf(lines, i, skeleton)) + QStringLiteral(" lines of your code.")});
        } else if (standard != standardHeads.constEnd() && *standard != i) {
            out.append({QStringLiteral("edited-head"), QLatin1String(kind.file), int(i + 1),
                        TrimBlanks(lines[i]) + QStringLiteral(" is not the standard head Procedure ") + prefix + object
                            + QLatin1String(kind.suffix) + QStringLiteral(", so a second one stands at line ")
                            + QString::number(*standard + 1) + QLatin1Char('.')});
        }
    }
}

void FindEventFindings(const GenerationContext &g, QList<ReportFinding> &out)
{
    QStringList gadgets;
    for (const GadgetRecord &gadget : g.model.GadgetList)
        gadgets.append(gadget.name);
    const SourceLineList &menu = g.lines.EventMenuLines, &gadget = g.lines.EventGadgetLines,
                         &window = g.lines.EventWindowLines;
    const QList<NamedHead> windowHeads = ProcedureHeads(window);
    FindEventProcedureFindings(menu, ProcedureHeads(menu), {"EventMenu.pb", "EventMenu_", "()", g.model.MenuItemList}, out);
    FindEventProcedureFindings(gadget, ProcedureHeads(gadget), {"EventGadget.pb", "EventGadget_", "(EventType)", gadgets},
                               out);
    FindEventProcedureFindings(window, windowHeads, {"EventWindow.pb", "EventSize_", "()", g.model.WindowList}, out);
    FindEventProcedureFindings(window, windowHeads, {"EventWindow.pb", "EventExit_", "()", g.model.WindowList}, out);
}

// Catalog keys no source uses any more, and keys this run added to an existing Catalog.
void FindLanguageFindings(const GenerationContext &g, QList<ReportFinding> &out)
{
    if (!g.switches().Multilang)
        return;
    // Step 1's scan of the sources and includes already knows every key in use.
    const QSet<QString> &used = g.languageKeysUsed;
    const QStringList &keys = g.model.Languages.keys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const int line = int(i + 2); // after the header line
        if (i >= g.catalogKeysLoaded && g.catalogKeysLoaded > 0) // a first Catalog is all new
            out.append({QStringLiteral("new-key"), QStringLiteral("Catalog"), line,
                        QStringLiteral("new key \"") + keys[i] + QStringLiteral("\".")});
        else if (i < g.catalogKeysLoaded && !used.contains(keys[i]))
            out.append({QStringLiteral("obsolete-key"), QStringLiteral("Catalog"), line,
                        QStringLiteral("key \"") + keys[i] + QStringLiteral("\" is used by no source any more.")});
    }
}

int LineMentioning(const SourceLineList &lines, const QString &text)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (FindNoCase(lines[i], text))
            return int(i + 1);
    }
    return 0;
}

void FindMissingIncludes(const GenerationContext &g, QList<ReportFinding> &out)
{
    for (const QString &include : g.model.IncludeFileList) {
        if (QFileInfo::exists(ProjectRelativePath(g.ProjectDirectory(), include)))
            continue;
        const QString name = QFileInfo(include).fileName();
        out.append({QStringLiteral("missing-include"), QStringLiteral("Main.pb"), LineMentioning(g.lines.MainLines, name),
                    QStringLiteral("the include ") + name + QStringLiteral(" does not exist.")});
    }
}

// An object constant ("#" + name) that a line of code uses, outside strings and comments.
struct ConstantUse {
    qsizetype line;
    QStringView name;
};

void AppendConstantsUsed(const SourceLineList &lines, qsizetype lineIndex, QList<ConstantUse> &out)
{
    const QString &line = lines[lineIndex];
    bool inString = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"'))
            inString = !inString;
        else if (!inString && c == QLatin1Char(';'))
            break;
        else if (!inString && c == QLatin1Char('#')) {
            qsizetype end = i + 1;
            while (end < line.size() && IsIdentifierChar(line.at(end)))
                ++end;
            if (end > i + 1)
                out.append({lineIndex, QStringView(line).sliced(i + 1, end - i - 1)});
            i = end - 1;
        }
    }
}

QList<ConstantUse> ConstantsUsed(const SourceLineList &lines)
{
    QList<ConstantUse> uses;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QLatin1Char('#')))
            AppendConstantsUsed(lines, i, uses);
    }
    return uses;
}

// Whether a lower-cased constant begins with one of the lower-cased window names and "_".
bool StartsWithWindowName(const QString &lower, const QSet<QString> &windows)
{
    for (qsizetype at = lower.indexOf(QLatin1Char('_')); at >= 0; at = lower.indexOf(QLatin1Char('_'), at + 1)) {
        if (windows.contains(lower.left(at)))
            return true;
    }
    return false;
}

// A constant in the user's event code that looks like one of this project's object constants
// (it begins with a window's name and "_", or it was generated by the last run) but that no
// enumeration declares any more.
void FindUndeclaredConstants(const GenerationContext &g, QList<ReportFinding> &out)
{
    QSet<QString> declared, stored;
    // Sized for the gadgets up front, which are nearly all the names: growing rehashes them.
    declared.reserve(g.model.GadgetList.size());
    stored.reserve(g.model.GadgetList.size());
    for (const ObjectKind kind : AllObjectKinds) {
        for (const QString &name : NamesOfKind(g.model, kind))
            declared.insert(LowerCase(name));
        for (const QString &name : StoredNamesOfKind(g.project.Stored, kind))
            stored.insert(LowerCase(name));
    }
    const QSet<QString> windows = LowerSet(g.model.WindowList);
    const auto looksGenerated = [&](const QString &lower) {
        return stored.contains(lower) || StartsWithWindowName(lower, windows);
    };
    const struct { const char *file; const SourceLineList *lines; } files[] = {
        {"EventMenu.pb", &g.lines.EventMenuLines},
        {"EventGadget.pb", &g.lines.EventGadgetLines},
        {"EventWindow.pb", &g.lines.EventWindowLines},
    };
    for (const auto &file : files) {
        QSet<QString> reported;
        QSet<QStringView> judged; // as written: a name used again gets the same verdict
        for (const auto &[i, used] : ConstantsUsed(*file.lines)) {
            if (judged.contains(used))
                continue;
            judged.insert(used);
            const QString name = used.toString();
            const QString lower = LowerCase(name);
            if (declared.contains(lower) || reported.contains(lower) || !looksGenerated(lower))
                continue;
            reported.insert(lower);
            out.append({QStringLiteral("undeclared-constant"), QLatin1String(file.file), int(i + 1),
                        QStringLiteral("#") + name + QStringLiteral(" is declared by no enumeration.")});
        }
    }
}

} // namespace

ProjectReport BuildProjectReport(const GenerationContext &g)
{
    ProjectReport report;
    report.dryRun = g.plan.dryRun;
    report.written = int(g.plan.Changes().size());
    report.unchanged = g.plan.UnchangedCount();
    report.failed = g.plan.FailedCount();
    const QDir project(g.ProjectDirectory());
    for (const WritePlan::Change &change : g.plan.Changes())
        report.changedFiles.append(project.relativeFilePath(change.path));
    FindEventFindings(g, report.findings);
    FindLanguageFindings(g, report.findings);
    FindMissingIncludes(g, report.findings);
    FindUndeclaredConstants(g, report.findings);
    for (const QString &kind : g.warnings.kinds) {
        if (const int count = g.warnings.counts.value(kind); count > 1)
            report.repeatedWarnings.append({kind, count});
    }
    return report;
}

QStringList ProjectReportLines(const ProjectReport &report)
{
    QStringList lines;
    QString files = QStringLiteral("Report: ") + QString::number(report.written)
                    + (report.dryRun ? QStringLiteral(" files to write, ") : QStringLiteral(" files written, "))
                    + QString::number(report.unchanged) + QStringLiteral(" unchanged");
    if (report.failed)
        files += QStringLiteral(", ") + QString::number(report.failed) + QStringLiteral(" failed");
    lines << files + QLatin1Char('.');
    for (const ReportFinding &finding : report.findings)
        lines << QStringLiteral(" -> ") + finding.file + QLatin1Char(':') + QString::number(finding.line)
                     + QStringLiteral(": ") + finding.message;
    for (const RepeatedWarning &repeated : report.repeatedWarnings)
        lines << QStringLiteral(" -> ") + QString::number(repeated.count) + QStringLiteral(" times:")
                     + repeated.warning.mid(3);
    return lines;
}

QByteArray ProjectReportJson(const ProjectReport &report)
{
    QJsonArray findings;
    for (const ReportFinding &finding : report.findings)
        findings.append(QJsonObject{{"kind", finding.kind}, {"file", finding.file}, {"line", finding.line},
                                    {"message", finding.message}});
    QJsonArray warnings;
    for (const RepeatedWarning &repeated : report.repeatedWarnings)
        warnings.append(QJsonObject{{"warning", repeated.warning.mid(4)}, {"count", repeated.count}});
    const QJsonObject root{
        {"dryRun", report.dryRun},
        {"written", report.written},
        {"unchanged", report.unchanged},
        {"failed", report.failed},
        {"changedFiles", QJsonArray::fromStringList(report.changedFiles)},
        {"findings", findings},
        {"repeatedWarnings", warnings},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace quarvel
