#include "emit/event_procedures.h"

#include "base/line_lists.h"
#include "model/generation_context.h"

namespace quarvel {

bool HasEventProcedure(const GadgetRecord &gadget)
{
    return gadget.type != QStringLiteral("TEXTGADGET") && gadget.type != QStringLiteral("FRAME3DGADGET");
}

// A head prefix + name + suffix is a substring of a line exactly when the line holds the
// prefix at some position p and the suffix at some later position q with the text between
// them equal to name. So every (prefix, later suffix) pair of a line is a candidate head,
// and a candidate that is wanted is found.
QSet<QString> FindProcedureHeads(const SourceLineList &lines, const QString &prefix, const QString &suffix,
                                 const QSet<QString> &wanted)
{
    QSet<QString> found;
    const qsizetype shortest = prefix.size() + suffix.size();
    for (const QString &line : lines) {
        // Lines too short for a head (most of a body) or without the suffix's first character
        // (the separators) are passed over before the dearer search for the prefix.
        if (line.size() < shortest || (!suffix.isEmpty() && !line.contains(suffix.front())))
            continue;
        for (qsizetype p = line.indexOf(prefix); p >= 0; p = line.indexOf(prefix, p + 1)) {
            const qsizetype nameStart = p + prefix.size();
            for (qsizetype q = line.indexOf(suffix, nameStart); q >= 0; q = line.indexOf(suffix, q + 1)) {
                const QString candidate = line.mid(p, q + suffix.size() - p);
                if (wanted.contains(candidate))
                    found.insert(candidate);
            }
        }
    }
    return found;
}

namespace {

struct EventFile {
    const char *title;
    const char *prefix; // "Procedure EventMenu_"
    const char *suffix; // "()"
};

const EventFile MenuFile{"; Quarvel Event Menu", "Procedure EventMenu_", "()"};
const EventFile SizeFile{"; Quarvel Event Window", "Procedure EventSize_", "()"};
const EventFile ExitFile{"; Quarvel Event Window", "Procedure EventExit_", "()"};
const EventFile GadgetFile{"; Quarvel Event Gadget", "Procedure EventGadget_", "(EventType)"};

void AppendHeaderIfNew(SourceLineList &target, const EventFile &file)
{
    if (!target.isEmpty())
        return;
    target << QStringLiteral(";-TOP") << QString() << QLatin1String(file.title);
    AppendSeparator(target);
}

QStringList HeadLines(const EventFile &file, const QStringList &names)
{
    const QString prefix = QLatin1String(file.prefix), suffix = QLatin1String(file.suffix);
    QStringList heads;
    heads.reserve(names.size());
    for (const QString &name : names)
        heads.append(prefix + name + suffix);
    return heads;
}

// Appends a skeleton for every name whose head the file does not hold yet. `body` appends
// what follows the head line of the skeleton.
template<typename Body>
void AppendMissingProcedures(SourceLineList &target, const EventFile &file, const QStringList &names, Body body)
{
    AppendHeaderIfNew(target, file);
    const QStringList heads = HeadLines(file, names);
    const QSet<QString> wanted(heads.cbegin(), heads.cend());
    QSet<QString> existing = FindProcedureHeads(target, QLatin1String(file.prefix), QLatin1String(file.suffix), wanted);

    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &head = heads[i];
        if (existing.contains(head))
            continue;
        target << head;
        body(target, i);
        AppendSeparator(target);
        existing.insert(head); // a name listed twice gets one procedure
    }
}

void AppendEmptyBody(SourceLineList &target, qsizetype)
{
    target << QStringLiteral("  ") << QStringLiteral("EndProcedure");
}

} // namespace

void EmitGadgetEventBody(SourceLineList &target, const QString &type)
{
    Q_UNUSED(type); // every gadget type gets the same body
    target << QStringLiteral("  ") << QStringLiteral("  Select EventType")
           << QStringLiteral("    Case #PB_EventType_LeftClick") << QStringLiteral("      ")
           << QStringLiteral("  EndSelect") << QStringLiteral("  ") << QStringLiteral("EndProcedure");
}

void EmitEventMenuProcedures(GenerationContext &g)
{
    AppendMissingProcedures(g.lines.EventMenuLines, MenuFile, g.model.MenuItemList, AppendEmptyBody);
}

void EmitEventSizeProcedures(GenerationContext &g)
{
    AppendMissingProcedures(g.lines.EventWindowLines, SizeFile, g.model.WindowList, AppendEmptyBody);
}

// Closing the first window ends the program; any other window just closes.
void EmitEventExitProcedures(GenerationContext &g)
{
    const QStringList &windows = g.model.WindowList;
    AppendMissingProcedures(g.lines.EventWindowLines, ExitFile, windows, [&](SourceLineList &target, qsizetype i) {
        target << (i == 0 ? QStringLiteral("  ExitApplication = 1")
                          : QStringLiteral("  CloseWindow(#") + windows[i] + QLatin1Char(')'));
        target << QStringLiteral("EndProcedure");
    });
}

void EmitEventGadgetProcedures(GenerationContext &g)
{
    QStringList names;
    QStringList types;
    for (const GadgetRecord &gadget : g.model.GadgetList) {
        if (HasEventProcedure(gadget)) {
            names << gadget.name;
            types << gadget.type;
        }
    }
    AppendMissingProcedures(g.lines.EventGadgetLines, GadgetFile, names,
                            [&](SourceLineList &target, qsizetype i) { EmitGadgetEventBody(target, types[i]); });
}

} // namespace quarvel
