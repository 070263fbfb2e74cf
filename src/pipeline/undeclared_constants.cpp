#include "pipeline/undeclared_constants.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "model/generated_files.h"
#include "pipeline/generation_context.h"

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
    if (const QStringView before = line.first(i);
        HoldsChar(before, QLatin1Char('"')) || HoldsChar(before, QLatin1Char(';')))
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
void FindUndeclaredConstants(const GenerationContext &run, QList<ReportFinding> &out)
{
    std::array<QList<ConstantUse>, std::size(EventFileIds)> firstUses;
    NoCaseSet used;
    for (size_t f = 0; f < firstUses.size(); ++f) {
        firstUses[f] = FirstUses(run.lines.*FileOf(EventFileIds[f]).lines);
        for (const ConstantUse &use : firstUses[f])
            used.insert(NoCaseKey(use.name));
    }
    const NamesByKind current = CurrentNames(run.model);
    const NoCaseSet declared = DeclaredAmong(used, current);
    // Asked only about constants no enumeration declares, so built on the first of them.
    std::optional<NoCaseSet> stored, windows;
    const auto looksGenerated = [&](const NoCaseKey &constant) {
        if (!stored) {
            stored = StoredNamesBeyond(run.project.Stored, current);
            windows = NoCaseSetOf(run.model.WindowList);
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
            out.append({FindingKind::UndeclaredConstant, FileName(EventFileIds[f]), int(i + 1),
                        QStringLiteral("#") + name.toString() + QStringLiteral(" is declared by no enumeration.")});
        }
    }
}

} // namespace

QList<ReportFinding> UndeclaredConstantFindings(const GenerationContext &run)
{
    QList<ReportFinding> findings;
    FindUndeclaredConstants(run, findings);
    return findings;
}

} // namespace quarvel
