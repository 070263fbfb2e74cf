#include "update/code_updates.h"

#include "base/basic_strings.h"
#include "base/procedure_head.h"
#include "model/event_files.h"
#include "update/binding_replacer.h"
#include "update/constant_check.h"

#include <algorithm>

namespace quarvel {

namespace {

ReplacementRule Word(const char *before, const char *after, std::optional<ObjectKind> kind)
{
    return ReplacementRule{ReplacementRule::Word, QLatin1String(before), QLatin1String(after), kind};
}

// The four lists of the user's code that step 4 writes back.
QList<SourceLineList *> UserCodeLists(OutputLines &lines)
{
    return {&lines.MainLines, &lines.EventMenuLines, &lines.EventGadgetLines, &lines.EventWindowLines};
}

// A rule for every list alike.
void ApplyToUserCode(OutputLines &output, const ReplacementRule &rule, const BindingList &bindings)
{
    const BindingReplacer replacer(bindings);
    for (SourceLineList *list : UserCodeLists(output))
        replacer.Apply(*list, {rule});
}

} // namespace

// An object held in a variable is named after it: its constant is the window prefix followed
// by the variable. So when such an object was renamed, the old constant without the same
// prefix is the variable the user's code still uses.
BindingList VariableBindings(const BindingList &bindings, const QList<VariableObject> &variableObjects)
{
    QHash<QString, const VariableObject *> byConstant;
    for (const VariableObject &object : variableObjects)
        byConstant.insert(UpperKeepLength(object.constant), &object);
    BindingList result;
    for (const ConstantBinding &binding : bindings) {
        const VariableObject *object = byConstant.value(UpperKeepLength(binding.newName));
        if (!object || !UpperKeepLength(object->constant).endsWith(UpperKeepLength(object->variable)))
            continue;
        const QString prefix = object->constant.chopped(object->variable.size());
        if (!UpperKeepLength(binding.oldName).startsWith(UpperKeepLength(prefix)))
            continue;
        const QString oldVariable = binding.oldName.mid(prefix.size());
        if (!oldVariable.isEmpty() && UpperKeepLength(oldVariable) != UpperKeepLength(object->variable))
            result.append({oldVariable, object->variable, binding.kind});
    }
    return result;
}

BindingList WindowObjectBindings(const BindingList &bindings, const StoredConstants &stored, const QStringList &windows)
{
    BindingList objects;
    const auto isWindow = [](const ConstantBinding &binding) { return binding.kind == ObjectKind::Window; };
    if (std::none_of(bindings.cbegin(), bindings.cend(), isWindow))
        return objects;
    const QSet<QString> known = KnownWindows(stored, windows);
    for (const ObjectKind kind : AllObjectKinds) {
        if (kind == ObjectKind::Window)
            continue;
        const QStringList &names = StoredNamesOfKind(stored, kind);
        QStringList renamed = names;
        CarryWindowRenames(bindings, known, renamed);
        for (qsizetype i = 0; i < names.size(); ++i)
            if (renamed[i] != names[i])
                objects.append({names[i], renamed[i], kind});
    }
    return objects;
}

namespace {

// The event procedures of each kind: the file they live in, and the kind of binding that
// renames them. A kind's procedures are renamed in its own file only.
struct EventProcedures {
    const EventFile &events;
    ObjectKind kind;
    SourceLineList OutputLines::*lines;
};

const EventProcedures AllEventProcedures[] = {
    {MenuEvents, ObjectKind::MenuItem, &OutputLines::EventMenuLines},
    {GadgetEvents, ObjectKind::Gadget, &OutputLines::EventGadgetLines},
    {SizeEvents, ObjectKind::Window, &OutputLines::EventWindowLines},
    {ExitEvents, ObjectKind::Window, &OutputLines::EventWindowLines},
};

// The bindings of one kind of event procedure by the upper-cased name they rename (the
// procedure's prefix and the old name), each name's bindings in list order.
QHash<QString, QList<int>> ProcedureRenames(const EventProcedures &procedures, const BindingList &bindings)
{
    QHash<QString, QList<int>> byName;
    for (int i = 0; i < bindings.size(); ++i)
        if (bindings.at(i).kind == procedures.kind)
            byName[UpperKeepLength(QLatin1String(procedures.events.prefix) + bindings.at(i).oldName)].append(i);
    return byName;
}

// The name a procedure's head gets from the bindings. The name is one identifier, so a rule of
// step 3 renames it exactly when it is the prefix and a bound old name as a whole, in any
// letter case; a later binding may rename the result again (A > B, B > C), as step 3 does.
QString RenamedHead(QString name, const EventProcedures &procedures, const QHash<QString, QList<int>> &byName,
                    const BindingList &bindings)
{
    for (int after = -1;;) {
        const QList<int> found = byName.value(UpperKeepLength(name));
        const auto later = std::upper_bound(found.cbegin(), found.cend(), after);
        if (later == found.cend())
            return name;
        name = QLatin1String(procedures.events.prefix) + bindings.at(*later).newName;
        after = *later;
    }
}

ReplacementRule ProcedureRule(const EventProcedures &procedures)
{
    return {ReplacementRule::Word, QLatin1String(procedures.events.prefix), QString(), procedures.kind};
}

} // namespace

// A window's new name reaches the constants and event procedures of its objects, each known by
// its name from the last run; nothing else that merely begins with the window's name changes.
void UpdatePrefixes(const Renames &renames, OutputLines &output)
{
    const BindingReplacer replacer(renames.windowObjects);
    const ReplacementRule constant = Word("#", "", std::nullopt);
    OutputLines &l = output;
    replacer.Apply(l.MainLines, {constant});
    replacer.Apply(l.EventMenuLines, {ProcedureRule(AllEventProcedures[0]), constant});
    replacer.Apply(l.EventGadgetLines, {ProcedureRule(AllEventProcedures[1]), constant});
    replacer.Apply(l.EventWindowLines, {constant});
}

void UpdateProcedureNames(const Renames &renames, OutputLines &output)
{
    const BindingReplacer replacer(renames.bindings);
    for (const EventProcedures &procedures : AllEventProcedures)
        replacer.Apply(output.*procedures.lines, {ProcedureRule(procedures)});
}

QList<ProcedureClash> ProcedureRenameClashes(const Renames &renames, const OutputLines &output)
{
    QList<ProcedureClash> clashes;
    const BindingList &bindings = renames.bindings;
    if (bindings.isEmpty())
        return clashes;
    const BindingList &objects = renames.windowObjects;
    for (const auto lines :
         {&OutputLines::EventMenuLines, &OutputLines::EventGadgetLines, &OutputLines::EventWindowLines}) {
        // Each head's name as step 3 leaves it: its window's rename first, then its own.
        struct Head {
            QString name;
            QString renamed;
            int line;
        };
        QList<Head> heads;
        const SourceLineList &text = output.*lines;
        for (qsizetype i = 0; i < text.size(); ++i)
            if (const QStringView name = ProcedureHeadName(text.at(i)); !name.isEmpty())
                heads.append({name.toString(), name.toString(), int(i + 1)});
        const char *file = nullptr;
        for (const EventProcedures &procedures : AllEventProcedures) {
            if (procedures.lines != lines)
                continue;
            file = procedures.events.name;
            const QHash<QString, QList<int>> byObject = ProcedureRenames(procedures, objects);
            const QHash<QString, QList<int>> byBinding = ProcedureRenames(procedures, bindings);
            for (Head &head : heads)
                head.renamed = RenamedHead(RenamedHead(head.renamed, procedures, byObject, objects), procedures,
                                           byBinding, bindings);
        }
        QHash<QString, qsizetype> first; // upper-cased name after the renames -> its first head
        for (qsizetype k = 0; k < heads.size(); ++k) {
            const auto known = first.constFind(UpperKeepLength(heads[k].renamed));
            if (known == first.cend()) {
                first.insert(UpperKeepLength(heads[k].renamed), k);
                continue;
            }
            // Two heads of one name that no rename made are the user's own affair.
            const Head &other = heads[*known];
            const bool renamed = heads[k].renamed != heads[k].name;
            if (!renamed && other.renamed == other.name)
                continue;
            const Head &moved = renamed ? heads[k] : other, &stays = renamed ? other : heads[k];
            clashes.append({QLatin1String(file), moved.name, moved.renamed, moved.line, stays.line});
        }
    }
    return clashes;
}

void UpdateConstantNames(const Renames &renames, const QList<VariableObject> &variableObjects, OutputLines &output)
{
    ApplyToUserCode(output, Word("#", "", std::nullopt), renames.bindings);
    ApplyToUserCode(output, ReplacementRule{ReplacementRule::Variable, QString(), QString(), std::nullopt},
                    VariableBindings(renames.bindings, variableObjects));
}

void UpdateOpenWindowCalls(const Renames &renames, OutputLines &output)
{
    ApplyToUserCode(output, Word("Open_", "()", ObjectKind::Window), renames.bindings);
}

} // namespace quarvel
