#include "pipeline/project_report.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "emit/event_procedures.h"
#include "model/event_files.h"
#include "model/generation_context.h"
#include "model/project_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <array>
#include <optional>

namespace quarvel {

namespace {

using NoCaseSet = QSet<NoCaseKey>;

// The names in any letter case; the set views them, so they must outlive it.
NoCaseSet NoCaseSetOf(const QStringList &names)
{
    NoCaseSet set;
    set.reserve(names.size());
    for (const QString &name : names)
        set.insert(NoCaseKey(QStringView(name)));
    return set;
}

// A procedure head of an event file: the line it stands on and its name, a view of that line.
struct NamedHead {
    qsizetype line;
    QStringView name;
};

QList<NamedHead> ProcedureHeads(const SourceLineList &lines)
{
    QList<NamedHead> heads;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const QStringView name = ProcedureHeadName(lines[i]); !name.isEmpty())
            heads.append({i, name});
    }
    return heads;
}

// Whether the head's line holds its name directly followed by suffix, without building the
// joined text. Nearly always the suffix follows the name where it stands, which needs no search.
bool HoldsFollowedBy(QStringView line, const NamedHead &head, QLatin1StringView suffix)
{
    const QStringView name = head.name;
    if (line.sliced(name.data() - line.data() + name.size()).startsWith(suffix))
        return true;
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
        if (line.sliced(at + name.size()).startsWith(suffix))
            return true;
    }
    return false;
}

// One kind of event procedure and the objects that have one.
struct EventKind {
    const EventFile &events;
    QStringList objects;
};

// The user's lines in a procedure body: not blank, not a comment, not a line of the skeleton.
int UserLinesOf(const SourceLineList &lines, qsizetype head, const QSet<QString> &skeleton)
{
    int count = 0;
    for (qsizetype i = head + 1; i < lines.size() && !IsProcedureEnd(lines[i]); ++i) {
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

// The lines of the standard heads (prefix, name and suffix as written) by name in any letter
// case; of a name standing twice, the last.
QHash<NoCaseKey, qsizetype> StandardHeads(const SourceLineList &lines, const QList<NamedHead> &heads,
                                             const EventKind &kind)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QHash<NoCaseKey, qsizetype> standard;
    standard.reserve(heads.size());
    for (const NamedHead &head : heads) {
        if (head.name.startsWith(prefix) && HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
            standard.insert(NoCaseKey(head.name), head.line);
    }
    return standard;
}

// The objects of one kind by name in any letter case, each with the line of its standard head
// (-1 while none is known). Nothing is inserted once built, so pointers to the lines hold.
QHash<NoCaseKey, qsizetype> ObjectsOf(const QStringList &names)
{
    QHash<NoCaseKey, qsizetype> objects;
    objects.reserve(names.size());
    for (const QString &name : names)
        objects.insert(NoCaseKey(QStringView(name)), -1);
    return objects;
}

// For every head that holds the prefix as written, the standard line of its object (nullptr
// for a head without an object); every standard head enters its line there, the last one of
// a name standing twice winning. Heads with the prefix in another letter case stay nullptr.
QList<qsizetype *> HeadObjects(const SourceLineList &lines, const QList<NamedHead> &heads, const EventKind &kind,
                               QHash<NoCaseKey, qsizetype> &objects)
{
    const QLatin1StringView prefix(kind.events.prefix);
    QList<qsizetype *> found(heads.size(), nullptr);
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const NamedHead &head = heads[h];
        if (!head.name.startsWith(prefix))
            continue;
        if (const auto object = objects.find(NoCaseKey(head.name.sliced(prefix.size()))); object != objects.end()) {
            found[h] = &*object;
            if (HoldsFollowedBy(lines[head.line], head, QLatin1String(kind.events.suffix)))
                *object = head.line;
        }
    }
    return found;
}

// The standard line of a head whose prefix stands in another letter case: nullopt when its
// name has no object, else the line of the last standard head of its name (-1 for none),
// looked up by the whole name in any letter case. Rare, so the table is built on demand.
std::optional<qsizetype> OtherCaseStandard(const SourceLineList &lines, const QList<NamedHead> &heads,
                                           const NamedHead &head, const EventKind &kind,
                                           const QHash<NoCaseKey, qsizetype> &objects,
                                           std::optional<QHash<NoCaseKey, qsizetype>> &standardHeads)
{
    if (!objects.contains(NoCaseKey(head.name.sliced(qstrlen(kind.events.prefix)))))
        return std::nullopt;
    if (!standardHeads)
        standardHeads = StandardHeads(lines, heads, kind);
    return standardHeads->value(NoCaseKey(head.name), -1);
}

// Orphaned procedures (no object of their name any more) and edited heads (the object's
// name in another letter case or with another parameter; a standard skeleton stands beside
// the user's procedure only where an earlier run appended one).
void FindEventProcedureFindings(const SourceLineList &lines, const QList<NamedHead> &heads, const EventKind &kind,
                                QList<ReportFinding> &out)
{
    const QString prefix = QLatin1String(kind.events.prefix);
    QHash<NoCaseKey, qsizetype> objects = ObjectsOf(kind.objects);
    const QList<qsizetype *> headObjects = HeadObjects(lines, heads, kind, objects);
    std::optional<QHash<NoCaseKey, qsizetype>> standardHeads;
    static const QSet<QString> skeleton = SkeletonLines();
    for (qsizetype h = 0; h < heads.size(); ++h) {
        const auto &[i, name] = heads[h];
        std::optional<qsizetype> standard; // the standard line of the head's object, if it has one
        if (name.startsWith(prefix)) {
            if (headObjects[h])
                standard = *headObjects[h];
        } else if (name.startsWith(prefix, Qt::CaseInsensitive)) {
            standard = OtherCaseStandard(lines, heads, heads[h], kind, objects, standardHeads);
        } else {
            continue;
        }
        if (!standard) {
            out.append({QStringLiteral("orphaned-procedure"), QLatin1String(kind.events.name), int(i + 1),
                        name.toString() + QStringLiteral(" has no object any more; left in place, it holds ")
                            + QString::number(UserLinesOf(lines, i, skeleton)) + QStringLiteral(" lines of your code.")});
        } else if (*standard != i) {
            // Without a standard head beside it, the user's head is the procedure: none was
            // appended. One appended before it counted is still named.
            const QString beside = *standard < 0
                ? QStringLiteral("; it is kept as the procedure, none other is appended.")
                : QStringLiteral(", so a second one stands at line ") + QString::number(*standard + 1) + QLatin1Char('.');
            out.append({QStringLiteral("edited-head"), QLatin1String(kind.events.name), int(i + 1),
                        TrimBlanks(lines[i]) + QStringLiteral(" is not the standard head Procedure ") + prefix
                            + name.sliced(prefix.size()).toString() + QLatin1String(kind.events.suffix) + beside});
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
    FindEventProcedureFindings(menu, ProcedureHeads(menu), {MenuEvents, g.model.MenuItemList}, out);
    FindEventProcedureFindings(gadget, ProcedureHeads(gadget), {GadgetEvents, gadgets}, out);
    FindEventProcedureFindings(window, windowHeads, {SizeEvents, g.model.WindowList}, out);
    FindEventProcedureFindings(window, windowHeads, {ExitEvents, g.model.WindowList}, out);
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
    const QStringView line = lines[lineIndex];
    // Before the first "#" only a quote or a comment matters: a line without one there starts at it.
    qsizetype i = line.indexOf(QLatin1Char('#'));
    if (const QStringView before = line.first(i); HoldsChar(before, QLatin1Char('"')) || HoldsChar(before, QLatin1Char(';')))
        i = 0;
    bool inString = false;
    for (; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"'))
            inString = !inString;
        else if (!inString && c == QLatin1Char(';'))
            break;
        else if (!inString && c == QLatin1Char('#')) {
            const qsizetype end = IdentifierEnd(line, i + 1);
            if (end > i + 1)
                out.append({lineIndex, line.sliced(i + 1, end - i - 1)});
            i = end - 1;
        }
    }
}

QList<ConstantUse> ConstantsUsed(const SourceLineList &lines)
{
    QList<ConstantUse> uses;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (HoldsChar(lines[i], QLatin1Char('#')))
            AppendConstantsUsed(lines, i, uses);
    }
    return uses;
}

// Whether a constant begins with one of the window names and "_", in any letter case.
bool StartsWithWindowName(const NoCaseKey &constant, const NoCaseSet &windows)
{
    const QStringView text = constant.text();
    for (qsizetype at = text.indexOf(QLatin1Char('_')); at >= 0; at = text.indexOf(QLatin1Char('_'), at + 1)) {
        if (windows.contains(NoCaseKey(text.first(at))))
            return true;
    }
    return false;
}

// The first use of each constant, as written: a name used again gets the same verdict. The
// same skeleton line stands in every procedure, so a use is first compared with the last one.
QList<ConstantUse> FirstUses(const SourceLineList &lines)
{
    QList<ConstantUse> first;
    QSet<QStringView> judged;
    QStringView last;
    for (const ConstantUse &use : ConstantsUsed(lines)) {
        if (use.name == last)
            continue;
        last = use.name;
        const qsizetype before = judged.size();
        judged.insert(use.name);
        if (judged.size() > before)
            first.append(use);
    }
    return first;
}

using NamesByKind = std::array<QStringList, AllObjectKinds.size()>;

NamesByKind CurrentNames(const DesignModel &model)
{
    NamesByKind names;
    for (size_t k = 0; k < names.size(); ++k)
        names[k] = NamesOfKind(model, AllObjectKinds[k]);
    return names;
}

// The used constants that a current object name declares, in any letter case; the set views
// the names. A name as long as no used constant cannot match, so most names are not hashed.
NoCaseSet DeclaredAmong(const NoCaseSet &used, const NamesByKind &names)
{
    QList<bool> usedLength;
    for (const NoCaseKey &constant : used) {
        if (constant.text().size() >= usedLength.size())
            usedLength.resize(constant.text().size() + 1, false);
        usedLength[constant.text().size()] = true;
    }
    NoCaseSet declared;
    for (const QStringList &kind : names) {
        for (const QString &name : kind) {
            const NoCaseKey key{QStringView(name)};
            const qsizetype length = key.text().size();
            if (length < usedLength.size() && usedLength[length] && used.contains(key))
                declared.insert(key);
        }
    }
    return declared;
}

// The names the last run generated that are not among the current ones. After a finished run
// the stored names of a kind are its current names, which add nothing and are not hashed.
NoCaseSet StoredNamesBeyond(const StoredConstants &stored, const NamesByKind &current)
{
    NoCaseSet set;
    for (size_t k = 0; k < current.size(); ++k) {
        const QStringList &names = StoredNamesOfKind(stored, AllObjectKinds[k]);
        if (names == current[k])
            continue;
        for (const QString &name : names)
            set.insert(NoCaseKey(QStringView(name)));
    }
    return set;
}

// A constant in the user's event code that looks like one of this project's object constants
// (it begins with a window's name and "_", or it was generated by the last run) but that no
// enumeration declares any more.
void FindUndeclaredConstants(const GenerationContext &g, QList<ReportFinding> &out)
{
    const struct { const char *file; const SourceLineList *lines; } files[] = {
        {"EventMenu.pb", &g.lines.EventMenuLines},
        {"EventGadget.pb", &g.lines.EventGadgetLines},
        {"EventWindow.pb", &g.lines.EventWindowLines},
    };
    std::array<QList<ConstantUse>, std::size(files)> firstUses;
    NoCaseSet used;
    for (size_t f = 0; f < firstUses.size(); ++f) {
        firstUses[f] = FirstUses(*files[f].lines);
        for (const ConstantUse &use : firstUses[f])
            used.insert(NoCaseKey(use.name));
    }
    const NamesByKind current = CurrentNames(g.model);
    const NoCaseSet declared = DeclaredAmong(used, current);
    // Asked only about constants no enumeration declares, so built on the first of them.
    std::optional<NoCaseSet> stored, windows;
    const auto looksGenerated = [&](const NoCaseKey &constant) {
        if (!stored) {
            stored = StoredNamesBeyond(g.project.Stored, current);
            windows = NoCaseSetOf(g.model.WindowList);
        }
        return stored->contains(constant) || StartsWithWindowName(constant, *windows);
    };
    for (size_t f = 0; f < firstUses.size(); ++f) {
        NoCaseSet reported;
        for (const auto &[i, name] : firstUses[f]) {
            const NoCaseKey constant(name);
            if (declared.contains(constant) || reported.contains(constant) || !looksGenerated(constant))
                continue;
            reported.insert(constant);
            out.append({QStringLiteral("undeclared-constant"), QLatin1String(files[f].file), int(i + 1),
                        QStringLiteral("#") + name.toString() + QStringLiteral(" is declared by no enumeration.")});
        }
    }
}

// What the new event procedures of this run call from the form's assignments, and the assigned
// procedures that got a skeleton, each at the line of the form it was read from.
void FindEventWirings(const GenerationContext &g, QList<ReportFinding> &out)
{
    const QDir project(g.ProjectDirectory());
    for (const EventWiring &wiring : g.model.FormEventAssignments.wirings) {
        const QString form = project.relativeFilePath(
            ProjectRelativePath(g.ProjectDirectory(), g.model.CommonFileList.value(wiring.origin.file)));
        const QString where = wiring.eventFile + QLatin1Char(':') + QString::number(wiring.eventLine);
        if (wiring.call.isEmpty())
            out.append({QStringLiteral("assigned-procedure"), form, wiring.origin.line,
                        wiring.procedure + QStringLiteral(" is new in ") + where + QLatin1Char('.')});
        else
            out.append({QStringLiteral("event-call"), form, wiring.origin.line,
                        wiring.procedure + QStringLiteral(" calls ") + wiring.call + QStringLiteral(" (") + where
                            + QStringLiteral(").")});
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
    report.heldBack = g.plan.HeldBackCount();
    const QDir project(g.ProjectDirectory());
    for (const WritePlan::Change &change : g.plan.Changes())
        report.changedFiles.append(project.relativeFilePath(change.path));
    for (const WritePlan::Failure &failure : g.plan.Failures())
        report.failedFiles.append({project.relativeFilePath(failure.path), failure.reason});
    FindEventWirings(g, report.findings);
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
    if (report.heldBack)
        files += QStringLiteral(", ") + QString::number(report.heldBack) + QStringLiteral(" held back");
    lines << files + QLatin1Char('.');
    for (const FailedFile &failed : report.failedFiles)
        lines << QStringLiteral(" -> ") + failed.file + QStringLiteral(": could not be written (") + failed.reason
                     + QStringLiteral(").");
    if (report.heldBack)
        lines << QStringLiteral(" -> The other files of the run were kept as they were: a run writes all its files or none.");
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
    QJsonArray failedFiles;
    for (const FailedFile &failed : report.failedFiles)
        failedFiles.append(QJsonObject{{"file", failed.file}, {"reason", failed.reason}});
    QJsonArray warnings;
    for (const RepeatedWarning &repeated : report.repeatedWarnings)
        warnings.append(QJsonObject{{"warning", repeated.warning.mid(4)}, {"count", repeated.count}});
    const QJsonObject root{
        {"dryRun", report.dryRun},
        {"written", report.written},
        {"unchanged", report.unchanged},
        {"failed", report.failed},
        {"heldBack", report.heldBack},
        {"changedFiles", QJsonArray::fromStringList(report.changedFiles)},
        {"failedFiles", failedFiles},
        {"findings", findings},
        {"repeatedWarnings", warnings},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

} // namespace quarvel
