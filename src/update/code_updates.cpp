#include "update/code_updates.h"

#include "base/basic_strings.h"
#include "model/event_files.h"
#include "model/generation_context.h"
#include "update/binding_replacer.h"

namespace quarvel {

namespace {

ReplacementRule Substring(const char *before, const char *after, std::optional<ObjectKind> kind)
{
    return ReplacementRule{ReplacementRule::Substring, QLatin1String(before), QLatin1String(after), kind};
}

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
void ApplyToUserCode(GenerationContext &g, const ReplacementRule &rule, const BindingList &bindings)
{
    const BindingReplacer replacer(bindings);
    for (SourceLineList *list : UserCodeLists(g.lines))
        replacer.Apply(*list, {rule});
}

void ApplyToUserCode(GenerationContext &g, const ReplacementRule &rule)
{
    ApplyToUserCode(g, rule, g.bindings);
}

} // namespace

// An object held in a variable is named after it: its constant is the window prefix followed
// by the variable. So when such an object was renamed, the old constant without the same
// prefix is the variable the user's code still uses.
BindingList VariableBindings(const GenerationContext &g)
{
    QHash<QString, const VariableObject *> byConstant;
    for (const VariableObject &object : g.model.VariableObjects)
        byConstant.insert(UpperKeepLength(object.constant), &object);
    BindingList result;
    for (const ConstantBinding &binding : g.bindings) {
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

// A window's new name reaches the constants and event procedures of its objects, which carry
// the window name as their prefix.
void UpdatePrefixes(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings, KnownWindowNames(g));
    const ObjectKind window = ObjectKind::Window;
    const ReplacementRule constantPrefix = Substring("#", "_", window);
    OutputLines &l = g.lines;
    replacer.Apply(l.MainLines, {constantPrefix});
    replacer.Apply(l.EventMenuLines, {Substring(MenuEvents.prefix, "_", window), constantPrefix});
    replacer.Apply(l.EventGadgetLines, {Substring(GadgetEvents.prefix, "_", window), constantPrefix});
    replacer.Apply(l.EventWindowLines, {Substring(SizeEvents.prefix, "_", window),
                                        Substring(ExitEvents.prefix, "_", window), constantPrefix});
}

// Each kind renames its event procedures in its own file only.
void UpdateProcedureNames(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings);
    OutputLines &l = g.lines;
    replacer.Apply(l.EventMenuLines, {Word(MenuEvents.prefix, "", ObjectKind::MenuItem)});
    replacer.Apply(l.EventGadgetLines, {Word(GadgetEvents.prefix, "", ObjectKind::Gadget)});
    replacer.Apply(l.EventWindowLines,
                   {Word(SizeEvents.prefix, "", ObjectKind::Window), Word(ExitEvents.prefix, "", ObjectKind::Window)});
}

void UpdateConstantNames(GenerationContext &g)
{
    ApplyToUserCode(g, Word("#", "", std::nullopt));
    ApplyToUserCode(g, ReplacementRule{ReplacementRule::Variable, QString(), QString(), std::nullopt},
                    VariableBindings(g));
}

void UpdateOpenWindowCalls(GenerationContext &g)
{
    ApplyToUserCode(g, Word("Open_", "()", ObjectKind::Window));
}

} // namespace quarvel
