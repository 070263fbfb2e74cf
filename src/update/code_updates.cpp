#include "update/code_updates.h"

#include "model/generation_context.h"
#include "update/binding_replacer.h"

namespace quarvel {

namespace {

constexpr int KindWindow = 1;
constexpr int KindMenuItem = 3;
constexpr int KindGadget = 6;

ReplacementRule Substring(const char *before, const char *after, int kind)
{
    return ReplacementRule{ReplacementRule::Substring, QLatin1String(before), QLatin1String(after), kind};
}

ReplacementRule Word(const char *before, const char *after, int kind)
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
    const BindingReplacer replacer(g.Bindings);
    for (SourceLineList *list : UserCodeLists(g.lines))
        replacer.Apply(*list, {rule});
}

} // namespace

// A window's new name reaches the constants and event procedures of its objects, which carry
// the window name as their prefix.
void UpdatePrefixes(GenerationContext &g)
{
    const BindingReplacer replacer(g.Bindings);
    const ReplacementRule constantPrefix = Substring("#", "_", KindWindow);
    OutputLines &l = g.lines;
    replacer.Apply(l.MainLines, {constantPrefix});
    replacer.Apply(l.EventMenuLines, {Substring("EventMenu_", "_", KindWindow), constantPrefix});
    replacer.Apply(l.EventGadgetLines, {Substring("EventGadget_", "_", KindWindow), constantPrefix});
    replacer.Apply(l.EventWindowLines, {Substring("EventSize_", "_", KindWindow),
                                        Substring("EventExit_", "_", KindWindow), constantPrefix});
}

// Each kind renames its event procedures in its own file only.
void UpdateProcedureNames(GenerationContext &g)
{
    const BindingReplacer replacer(g.Bindings);
    OutputLines &l = g.lines;
    replacer.Apply(l.EventMenuLines, {Word("EventMenu_", "", KindMenuItem)});
    replacer.Apply(l.EventGadgetLines, {Word("EventGadget_", "", KindGadget)});
    replacer.Apply(l.EventWindowLines, {Word("EventSize_", "", KindWindow), Word("EventExit_", "", KindWindow)});
}

void UpdateConstantNames(GenerationContext &g)
{
    ApplyToUserCode(g, Word("#", "", 0));
}

void UpdateOpenWindowCalls(GenerationContext &g)
{
    ApplyToUserCode(g, Word("Open_", "()", KindWindow));
}

} // namespace quarvel
