#include "update/code_updates.h"

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
void ApplyToUserCode(GenerationContext &g, const ReplacementRule &rule)
{
    const BindingReplacer replacer(g.bindings);
    for (SourceLineList *list : UserCodeLists(g.lines))
        replacer.Apply(*list, {rule});
}

} // namespace

// A window's new name reaches the constants and event procedures of its objects, which carry
// the window name as their prefix.
void UpdatePrefixes(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings);
    const ObjectKind window = ObjectKind::Window;
    const ReplacementRule constantPrefix = Substring("#", "_", window);
    OutputLines &l = g.lines;
    replacer.Apply(l.MainLines, {constantPrefix});
    replacer.Apply(l.EventMenuLines, {Substring("EventMenu_", "_", window), constantPrefix});
    replacer.Apply(l.EventGadgetLines, {Substring("EventGadget_", "_", window), constantPrefix});
    replacer.Apply(l.EventWindowLines, {Substring("EventSize_", "_", window),
                                        Substring("EventExit_", "_", window), constantPrefix});
}

// Each kind renames its event procedures in its own file only.
void UpdateProcedureNames(GenerationContext &g)
{
    const BindingReplacer replacer(g.bindings);
    OutputLines &l = g.lines;
    replacer.Apply(l.EventMenuLines, {Word("EventMenu_", "", ObjectKind::MenuItem)});
    replacer.Apply(l.EventGadgetLines, {Word("EventGadget_", "", ObjectKind::Gadget)});
    replacer.Apply(l.EventWindowLines,
                   {Word("EventSize_", "", ObjectKind::Window), Word("EventExit_", "", ObjectKind::Window)});
}

void UpdateConstantNames(GenerationContext &g)
{
    ApplyToUserCode(g, Word("#", "", std::nullopt));
}

void UpdateOpenWindowCalls(GenerationContext &g)
{
    ApplyToUserCode(g, Word("Open_", "()", ObjectKind::Window));
}

} // namespace quarvel
