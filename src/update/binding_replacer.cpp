#include "update/binding_replacer.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_search.h"
#include "base/statement_scan.h"

#include <QVarLengthArray>

#include <algorithm>

namespace quarvel {

namespace {

bool IsIdentifier(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : UpperKeepLength(name))
        if (!IsIdentifierChar(c))
            return false;
    return true;
}

// Every search of a rule is before + old + after, and each before ends in "#" or "_" while
// each after starts with "_", "(" or nothing. So where an old name made of identifier
// characters occurs, it fills a stretch of one identifier run of the upper-cased line that
// begins at the run's start or right after a "_", and ends at the run's end or right before
// a "_". Those stretches are the line's fragments; a binding whose old name is none of them
// cannot change the line.
template <typename Visit>
void ForEachFragment(const QString &upper, Visit visit)
{
    const qsizetype size = upper.size();
    QVarLengthArray<qsizetype, 16> underscores;
    qsizetype i = 0;
    while (i < size) {
        if (!IsIdentifierChar(upper.at(i))) {
            ++i;
            continue;
        }
        underscores.clear();
        qsizetype end = i;
        for (; end < size && IsIdentifierChar(upper.at(end)); ++end)
            if (upper.at(end) == QLatin1Char('_'))
                underscores.append(end);
        // Starts: the run's start and after each "_"; ends: before each "_" and the run's end.
        for (qsizetype s = -1; s < underscores.size(); ++s) {
            const qsizetype from = s < 0 ? i : underscores[s] + 1;
            for (qsizetype e = s + 1; e <= underscores.size(); ++e) {
                const qsizetype to = e < underscores.size() ? underscores[e] : end;
                if (to > from)
                    visit(QStringView(upper).mid(from, to - from));
            }
        }
        i = end;
    }
}

bool IsBoundary(QChar c)
{
    return c == QLatin1Char('_') || !IsIdentifierChar(UpperChar(c));
}

// Whether the fragments find every place where the rule can change a line: the old name must
// be set off by "_", a non-identifier character or the word's own ends.
bool FragmentsFind(const ReplacementRule &rule)
{
    const bool startFits = rule.before.isEmpty() || IsBoundary(rule.before.back());
    const bool endFits = rule.after.isEmpty() || IsBoundary(rule.after.front());
    return startFits && endFits;
}

// Identifier characters as the searches see them: upper-cased, like the fragments.
bool IsNameChar(QChar c)
{
    return IsIdentifierChar(UpperChar(c));
}

// Whether the occurrence at the 0-based at is a member of a module: "Other::" stands before it.
bool IsModuleMember(QStringView line, qsizetype at)
{
    return at >= 2 && line[at - 1] == QLatin1Char(':') && line[at - 2] == QLatin1Char(':');
}

// A whole word, and not the start of a string name (Name$, #Name$), which is another name.
bool IsWord(QStringView line, qsizetype at, qsizetype length)
{
    const qsizetype end = at + length;
    return (at == 0 || !IsNameChar(line[at - 1]))
           && (end == line.size() || (!IsNameChar(line[end]) && line[end] != QLatin1Char('$')));
}

// A "*" right before a name makes it a pointer, unless it multiplies: then an operand, a name
// or a closing bracket, stands right before the "*" (2*Name, x*Name, (a)*Name).
bool IsPointerStar(QStringView line, qsizetype star)
{
    if (line[star] != QLatin1Char('*'))
        return false;
    if (star == 0)
        return true;
    const QChar before = line[star - 1];
    return !IsNameChar(before) && before != QLatin1Char(')') && before != QLatin1Char(']');
}

// Whether the whole word at at is the variable itself, not another thing spelled alike.
bool IsVariable(QStringView line, qsizetype at, qsizetype length)
{
    if (at > 0) {
        const QChar before = line[at - 1];
        if (before == QLatin1Char('#') || before == QLatin1Char('\\') || before == QLatin1Char('.')
            || before == QLatin1Char('?') || IsPointerStar(line, at - 1))
            return false;
    }
    const QStringView after = line.sliced(at + length);
    return !after.startsWith(QLatin1Char('(')) && !after.startsWith(QLatin1String("::"));
}

// Whether a line stands in a Structure block (its Structure and EndStructure lines included),
// following the blocks from line to line; a comment or a text that names them changes nothing.
bool FollowStructures(const QString &line, bool &inStructure)
{
    const bool touched = inStructure;
    // Most lines begin with neither keyword, and hold no second statement that could.
    const QStringView text = TrimLeadingBlanksView(line);
    const QChar first = text.isEmpty() ? QChar() : UpperChar(text.front());
    if (first != QLatin1Char('S') && first != QLatin1Char('E') && IndexOfChar(line, u':') < 0)
        return touched;
    const QString code = BlankedCode(line);
    bool opened = false;
    for (const QStringView statement : Statements(CodeOfLine(code))) {
        const QString word = FirstWord(statement);
        if (!inStructure && word == QLatin1String("STRUCTURE"))
            inStructure = opened = true;
        else if (inStructure && word == QLatin1String("ENDSTRUCTURE"))
            inStructure = false;
    }
    return touched || opened;
}

} // namespace

QString ApplyRule(const QString &line, const ReplacementRule &rule, const ConstantBinding &binding)
{
    const QString search = rule.before + binding.oldName + rule.after;
    const QString replacement = rule.before + binding.newName + rule.after;
    const qsizetype length = search.size();
    return ReplaceInCode(line, search, replacement, [&](qsizetype at) {
        if (IsModuleMember(line, at))
            return false;
        switch (rule.mode) {
        case ReplacementRule::Word: return IsWord(line, at, length);
        case ReplacementRule::Variable: return IsWord(line, at, length) && IsVariable(line, at, length);
        }
        return false;
    });
}

BindingReplacer::BindingReplacer(const BindingList &bindings) : bindings_(bindings)
{
    upperOldNames_.reserve(bindings.size());
    for (int i = 0; i < bindings.size(); ++i) {
        const QString &oldName = bindings.at(i).oldName;
        upperOldNames_.append(UpperKeepLength(oldName));
        if (IsIdentifier(oldName)) {
            const QString &key = upperOldNames_.last();
            byOldName_[QStringView(key)].push_back(i);
            firstChars_.set(key.at(0).unicode()); // identifier characters are ASCII
            if (lengths_.size() <= size_t(key.size()))
                lengths_.resize(key.size() + 1);
            lengths_[key.size()] = true;
        } else
            everywhere_.push_back(i);
    }
}

std::vector<int> BindingReplacer::Candidates(const QString &line, int after, bool everyBinding) const
{
    std::vector<int> result;
    if (everyBinding) {
        for (int i = after + 1; i < bindings_.size(); ++i)
            result.push_back(i);
        return result;
    }
    for (int i : everywhere_)
        if (i > after)
            result.push_back(i);
    const QString upper = UpperKeepLength(line);
    ForEachFragment(upper, [&](QStringView fragment) {
        if (size_t(fragment.size()) >= lengths_.size() || !lengths_[fragment.size()]
            || !firstChars_.test(fragment.at(0).unicode()))
            return;
        const auto found = byOldName_.find(fragment);
        if (found == byOldName_.end())
            return;
        for (int i : found->second)
            if (i > after)
                result.push_back(i);
    });
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
}

int BindingReplacer::ApplyToLine(QString &line, const QList<ReplacementRule> &rules, bool everyBinding) const
{
    int changes = 0;
    std::vector<int> candidates = Candidates(line, -1, everyBinding);
    for (size_t next = 0; next < candidates.size();) {
        const int index = candidates[next++];
        const ConstantBinding &binding = bindings_.at(index);
        bool changed = false;
        for (const ReplacementRule &rule : rules) {
            if (!rule.Takes(binding))
                continue;
            QString result = ApplyRule(line, rule, binding);
            if (result != line) {
                line = std::move(result);
                ++changes;
                changed = true;
            }
        }
        // The new text may now hold the old name of a later binding.
        if (changed) {
            candidates = Candidates(line, index, everyBinding);
            next = 0;
        }
    }
    return changes;
}

int BindingReplacer::Apply(QStringList &lines, const QList<ReplacementRule> &rules) const
{
    if (bindings_.isEmpty() || rules.isEmpty())
        return 0;
    const bool everyBinding = !std::all_of(rules.cbegin(), rules.cend(), FragmentsFind);
    const bool variables = std::any_of(rules.cbegin(), rules.cend(), [](const ReplacementRule &rule) {
        return rule.mode == ReplacementRule::Variable;
    });
    int changes = 0;
    bool inStructure = false;
    for (QString &line : lines) {
        // A Structure declares fields, which a variable's rename must not reach: their uses
        // (st\Name) keep the old name.
        if (variables && FollowStructures(line, inStructure))
            continue;
        changes += ApplyToLine(line, rules, everyBinding);
    }
    return changes;
}

} // namespace quarvel
