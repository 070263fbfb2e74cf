#include "interpreter/window_prefixes.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "interpreter/constant_uses.h"
#include "interpreter/object_names.h"
#include "interpreter/windows_of_code.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <QHash>

#include <algorithm>

namespace quarvel {

namespace {

using namespace prefixes;

// A #PB_Any object kept in a variable is given a constant named like its variable. When an
// object of the same window already has a constant of that name in any letter case
// ("Squares = TextGadget(#PB_Any, ...)" and "ButtonGadget(#squares, ...)"), both would get one
// number: the variable's object is given another name.
void SeparateVariableNames(PrefixPass &g, WindowsOfCode &code)
{
    const auto isVariable = [](const Creation &c) { return c.variable; };
    if (std::none_of(code.creations.cbegin(), code.creations.cend(), isVariable))
        return;
    QHash<QString, QList<qsizetype>> byName; // upper-cased name -> its creations
    for (qsizetype c = 0; c < code.creations.size(); ++c)
        byName[UpperKeepLength(code.creations.at(c).name)].append(c);
    const auto constantOfWindow = [&](const Creation &variable) -> const Creation * {
        for (const qsizetype other : byName.value(UpperKeepLength(variable.name))) {
            const Creation &o = code.creations.at(other);
            if (!o.variable && o.window == variable.window)
                return &o;
        }
        return nullptr;
    };
    for (qsizetype c = 0; c < code.creations.size(); ++c) {
        Creation &creation = code.creations[c];
        const Creation *constant = creation.variable ? constantOfWindow(creation) : nullptr;
        if (!constant)
            continue;
        const QString variable = creation.name.toString();
        QString name;
        for (int n = 2; name.isEmpty() || byName.contains(UpperKeepLength(name)); ++n)
            name = variable + QLatin1Char('_') + QString::number(n);
        byName[UpperKeepLength(name)].append(c);
        QString &line = g.model.CommonSourceLines[creation.line];
        line = line.first(creation.bracket + 2) + name + line.mid(creation.bracket + 2 + variable.size());
        const QString prefix = creation.window == NoWindow ? QString()
                                                           : code.windows.at(creation.window) + QLatin1Char('_');
        WarnAtSourceLine(g.log, g.model,
                         VariableAndConstantWarning(variable, prefix + constant->name.toString(),
                                                    SourceLocation(g.model, creation.line) + QStringLiteral(", ")
                                                        + SourceLocation(g.model, constant->line),
                                                    prefix + name),
                         creation.line);
        code.givenNames.append(name);
        creation.name = code.givenNames.last();
    }
}

// Two objects whose constants, once they carry their windows' names, are one name (compared in
// any letter case, as PureBasic does): a gadget Settings_Save of window Main and a gadget Save
// of window Main_Settings both become #Main_Settings_Save, and so may a window and an object.
// One object made twice in a window is one object. False, after the line that names both.
// The constant an object gets, window + "_" + name (a window's own: its name), as a hash key
// that views both parts instead of joining them: joining them cost an unchanged regeneration
// of 200 x 100 (bench/make_project.py) 30 M instructions of its 646 M (callgrind).
struct ConstantKey {
    QStringView window; // empty for a window itself
    QStringView name;

    qsizetype size() const { return window.isEmpty() ? name.size() : window.size() + 1 + name.size(); }
    QString text() const
    {
        QString text = window.toString();
        if (!window.isEmpty())
            text += QLatin1Char('_');
        return text += name;
    }
    friend bool operator==(const ConstantKey &a, const ConstantKey &b)
    {
        if (a.size() != b.size())
            return false;
        if (a.window.size() == b.window.size())
            return NoCaseKey(a.window) == NoCaseKey(b.window) && NoCaseKey(a.name) == NoCaseKey(b.name);
        return NoCaseKey(a.text()) == NoCaseKey(b.text()); // "A_B" + "C" against "A" + "B_C"
    }
    friend size_t qHash(const ConstantKey &key, size_t seed) noexcept
    {
        return key.window.isEmpty() ? NoCaseHash({key.name}, seed) : NoCaseHash({key.window, u"_", key.name}, seed);
    }
};

bool ConstantsStayApart(PrefixPass &g, const WindowsOfCode &code)
{
    QHash<ConstantKey, qsizetype> byConstant; // the constant, in any letter case -> 1 + the line of its object
    byConstant.reserve(code.windows.size() + code.creations.size());
    const auto differ = [&](const ConstantKey &named, qsizetype line) {
        // One lookup a constant: a new one gets its entry at once, as line + 1 over the 0 of
        // an entry just made.
        qsizetype &entry = byConstant[named];
        if (entry == 0) {
            entry = line + 1;
            return true;
        }
        const auto known = byConstant.constFind(named);
        const ConstantKey &first = known.key();
        if (NoCaseKey(first.window) == NoCaseKey(named.window) && NoCaseKey(first.name) == NoCaseKey(named.name))
            return true;
        const auto shown = [&](const ConstantKey &object, qsizetype at) {
            return (object.window.isEmpty()
                        ? QStringLiteral("window ") + object.name.toString()
                        : object.name.toString() + QStringLiteral(" of window ") + object.window.toString())
                   + QStringLiteral(" (") + SourceLocation(g.model, at) + QLatin1Char(')');
        };
        g.log.Stop({SharedConstantStopLine(named.text(), shown(first, *known - 1), shown(named, line)), LogKind::Error,
                    g.model.CommonFileList.value(g.model.CommonSourceLines.origin(line).file),
                    g.model.CommonSourceLines.origin(line).line});
        return false;
    };
    for (qint32 w = 0; w < code.windows.size(); ++w)
        if (!differ({QStringView(), code.windows.at(w)}, code.windowLines.at(w)))
            return false;
    for (const Creation &creation : code.creations)
        if (creation.window != NoWindow && !differ({code.windows.at(creation.window), creation.name}, creation.line))
            return false;
    return true;
}

// Two constants can be one name only when a window's name followed by "_" begins another
// window's name ("Main" and "Main_Settings"): constants of one window differ in their objects'
// names, and those of two windows differ where the shorter window's name ends. Without such
// windows the lookup of every constant is passed over: making it for every project cost an
// unchanged regeneration of 200 x 100 (bench/make_project.py) 12.6 M instructions (callgrind).
bool WindowNamesNest(const WindowsOfCode &code)
{
    for (const QString &window : code.windows) {
        for (qsizetype k = IndexOfChar(window, u'_'); k >= 0; k = IndexOfChar(window, u'_', k + 1)) {
            if (code.windowIndex.contains(NoCaseKey(QStringView(window).first(k))))
                return true;
        }
    }
    return false;
}

// The objects by name in any letter case. The first creation of an object in each further
// window joins the chain that starts at its first creation.
void IndexObjects(WindowsOfCode &code)
{
    code.objects.reserve(code.creations.size());
    for (qsizetype c = 0; c < code.creations.size(); ++c) {
        auto known = code.objects.find(NoCaseKey(code.creations.at(c).name));
        if (known == code.objects.end()) {
            code.objects.insert(NoCaseKey(code.creations.at(c).name), c);
            code.firstCreations.append(c);
            continue;
        }
        const qsizetype object = *known;
        if (!code.noteCreatedIn(object, code.creations.at(c).window))
            continue;
        code.creations[c].next = code.creations.at(object).next;
        code.creations[object].next = c;
    }
}

// Each object under its name as the sources wrote it and as it is named after its window, by
// its first creation in a window.
QList<PrefixedName> PrefixedObjects(const WindowsOfCode &code)
{
    QList<PrefixedName> prefixed;
    for (const qsizetype first : code.firstCreations) {
        qsizetype inWindow = first;
        while (inWindow >= 0 && code.creations.at(inWindow).window == NoWindow)
            inWindow = code.creations.at(inWindow).next;
        if (inWindow >= 0) {
            const QString name = code.creations.at(first).name.toString();
            prefixed.append({name, code.windows.at(code.creations.at(inWindow).window) + QLatin1Char('_') + name});
        }
    }
    return prefixed;
}

} // namespace

bool InsertWindowPrefixes(DesignModel &model, const NameTables &nameTables, LogSink &log, DeclaringLines *declaring)
{
    PrefixPass g{model, nameTables, log};
    WindowsOfCode code;
    qsizetype stop = 0;
    const bool whole = FindWindowsOfCode(g, code, stop);
    SeparateVariableNames(g, code);
    if (whole && WindowNamesNest(code) && !ConstantsStayApart(g, code))
        return false;
    IndexObjects(code);
    QualifyConstantUses(g, code, stop, code.declaring);
    model.PrefixedObjects = PrefixedObjects(code);
    if (declaring) {
        // A window named with a bracket ("OpenWindow(#W(#x), ...") may give a name that makes
        // a "(#" of its own: the lines are then read afresh.
        const bool bracketed = std::any_of(code.windows.cbegin(), code.windows.cend(),
                                           [](const QString &window) { return IndexOfChar(window, u'(') >= 0; });
        *declaring = bracketed ? FindDeclaringLines(model.CommonSourceLines.texts(), nameTables)
                               : std::move(code.declaring);
    }
    return whole;
}

} // namespace quarvel
