#include "interpreter/object_numbers.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/numeric_value.h"
#include "base/statement_scan.h"
#include "base/word_memo.h"
#include "interpreter/form_window_enumeration.h"
#include "interpreter/numbering_commands.h"
#include "interpreter/source_constant_values.h"
#include "model/design_model.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/name_tables.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <array>
#include <optional>

namespace quarvel {

namespace {

// The kinds numbered here: a toolbar button is numbered as a menu item.
using enum ObjectKind;

constexpr quint32 Bit(ObjectKind kind)
{
    return 1u << int(kind);
}

// An object number written as a plain number: never negative.
bool PlainNumber(QStringView text, qint64 &value)
{
    if (text.startsWith(QLatin1Char('-')))
        return false;
    const std::optional<qint64> number = quarvel::PlainNumber(text);
    if (!number || *number < 0)
        return false;
    value = *number;
    return true;
}

// An image or font identifier as written in code ("#Image_0"), without blanks and its "#".
QStringView WithoutMark(const QString &identifier)
{
    const QStringView name = TrimBlanksView(identifier);
    return name.startsWith(QLatin1Char('#')) ? name.sliced(1) : name;
}

// The numbers in use, kind by kind, and what the log says about the numbers it cannot know.
class NumbersInUse {
public:
    NumbersInUse(DesignModel &model, const NameTables &nameTables, LogSink &log, quint32 kinds)
        : model_(model),
          nameTables_(nameTables),
          log_(log),
          kinds_(kinds),
          constants_(DeclaredConstants(model.CommonSourceLines.texts()))
    {
        for (const auto &[command, kind] : NumberingCommands().asKeyValueRange())
            if (kinds & Bit(kind))
                endings_.add(command);
        if (kinds & Bit(Gadget))
            for (const QString &creator : nameTables.GadgetCreators)
                endings_.add(creator);
        values_.reserve(constants_.size());
        for (const EnumerationMember &constant : constants_)
            values_.insert(NoCaseKey(constant.key), constant.value);
    }

    const QList<EnumerationMember> &constants() const { return constants_; }

    // Every call of the kinds looked for whose first argument is not a constant.
    void scan()
    {
        const SourceLineList &lines = model_.CommonSourceLines.texts();
        for (qsizetype i = 0; i < lines.size(); ++i)
            scanLine(lines.at(i), i);
    }

    // The objects the modules' code creates, numbered by the modules' own constants where the
    // sources declare none of that name: a module is kept as written, and its windows and
    // gadgets live beside the generated ones.
    void scanModules()
    {
        const SourceLineList &lines = model_.ModuleLines;
        if (lines.isEmpty())
            return;
        for (const EnumerationMember &constant : DeclaredConstants(lines))
            if (!values_.value(constant.key))
                values_.insert(NoCaseKey::Holding(constant.key), constant.value);
        for (qsizetype i = 0; i < lines.size(); ++i)
            scanLine(lines.at(i), -1);
    }

    void use(ObjectKind kind, qint64 number)
    {
        highest_[int(kind)] = qMax(highest_[int(kind)], number);
        used_[int(kind)].insert(number);
    }

    bool used(ObjectKind kind, qint64 number) const { return used_[int(kind)].contains(number); }

    // The value a kind's enumeration begins at: above the highest number in use, when the kind
    // has constants that could meet one.
    qint64 first(ObjectKind kind) const { return members(kind) > 0 ? highest_[int(kind)] + 1 : 0; }

    qsizetype members(ObjectKind kind) const
    {
        const DesignModel &m = model_;
        switch (kind) {
        case Window: return m.WindowList.size();
        case Menu: return m.MenuList.size();
        case MenuItem: return m.MenuItemList.size();
        case StatusBar: return m.StatusBarList.size();
        case ToolBar: return m.ToolBarList.size();
        case Gadget: return m.GadgetList.size();
        case Image: return Constants(m.ImageList);
        case Font: return Constants(m.FontList);
        case ToolBarButton: // numbered as a menu item
        case Procedure:
        case None: break;
        }
        return 0;
    }

private:
    template <typename Record>
    static qsizetype Constants(const QList<Record> &records)
    {
        return std::count_if(records.cbegin(), records.cend(), [](const Record &record) {
            return TrimBlanksView(record.name).startsWith(QLatin1Char('#'));
        });
    }

    ObjectKind kindOf(QStringView word)
    {
        return words_.value(word, [&](QStringView w) {
            const ObjectKind kind = KindOfNumberingCommand(UpperKeepLength(w), nameTables_);
            return kind != None && (kinds_ & Bit(kind)) ? kind : None;
        });
    }

    // line: the index in CommonSourceLines, -1 for a module's line, whose computed numbers the
    // module's own code takes care of.
    void scanLine(const QString &s, qsizetype line)
    {
        std::optional<CodeLine> code; // scanned once a call of interest is found
        FindAnyOf(
            s, 0,
            [&](qsizetype bracket) {
                noteCall(s, bracket, line, code);
                return false;
            },
            u'(');
    }

    // The call whose "(" stands at bracket, when it creates an object of the kinds looked for.
    void noteCall(const QString &s, qsizetype bracket, qsizetype line, std::optional<CodeLine> &code)
    {
        const QStringView text(s);
        const QStringView argument = TrimLeadingBlanksView(text.sliced(bracket + 1));
        // Nearly every object is created with a constant of Quarvel's: such a call is passed over
        // before its command is read. Reading the command first cost an unchanged regeneration
        // of 200 x 100 (bench/make_project.py) 26.7 M instructions for this scan, 14.2 M this way
        // (callgrind).
        if (argument.isEmpty() || !endings_.mayEnd(text.first(bracket)) || values_.namesNone(argument))
            return;
        qsizetype start = bracket;
        while (start > 0 && IsIdentifierChar(s.at(start - 1)))
            --start;
        const ObjectKind kind = start < bracket ? kindOf(text.sliced(start, bracket - start)) : None;
        if (kind == None)
            return;
        const qsizetype end = IndexOfAny(argument, 0, u',', u')', u';');
        const QStringView number = TrimBlanksView(end < 0 ? argument : argument.first(end));
        qint64 value = 0;
        const bool known = PlainNumber(number, value) || constantValue(kind, number, value);
        if (!known && (number.isEmpty() || number.startsWith(QLatin1Char('#')) || members(kind) == 0))
            return;
        // Only a call that tells something is checked for standing in code: nearly every call
        // names a generated constant. Checking every call first cost an unchanged regeneration
        // of 200 x 100 (bench/make_project.py) 39 M instructions for this scan, against 30 M
        // (callgrind).
        if (!code)
            code = ScanCodeLine(s);
        if (code->InLiteral(bracket) || (code->comment >= 0 && bracket > code->comment))
            return;
        if (known)
            use(kind, value);
        else if (line >= 0)
            warnComputed(kind, number, line);
    }

    // A constant of the sources' own ("#Frame_0", declared by their enumeration) that names no
    // object of Quarvel's enumeration: its value, when it is known and the argument is the
    // constant alone.
    bool constantValue(ObjectKind kind, QStringView argument, qint64 &value)
    {
        if (!argument.startsWith(QLatin1Char('#')) || IdentifierEnd(argument, 1) != argument.size())
            return false;
        const QStringView name = argument.sliced(1);
        const std::optional<qint64> known = values_.value(name);
        if (!known || generated(kind).contains(NoCaseKey(name)))
            return false;
        value = *known;
        return true;
    }

    // The names of Quarvel's constants of a kind, gathered the first time they are asked for.
    const QSet<NoCaseKey> &generated(ObjectKind kind)
    {
        QSet<NoCaseKey> &names = generated_[int(kind)];
        if (!names.isEmpty() || members(kind) == 0)
            return names;
        const DesignModel &m = model_;
        const auto add = [&names](const QStringList &list) {
            for (const QString &name : list)
                names.insert(NoCaseKey(name));
        };
        switch (kind) {
        case Window: add(m.WindowList); break;
        case Menu: add(m.MenuList); break;
        case MenuItem: add(m.MenuItemList); break;
        case StatusBar: add(m.StatusBarList); break;
        case ToolBar: add(m.ToolBarList); break;
        case Gadget:
            for (const GadgetRecord &gadget : m.GadgetList)
                names.insert(NoCaseKey(gadget.name));
            break;
        case Image:
            for (const ImageRecord &image : m.ImageList)
                names.insert(NoCaseKey(WithoutMark(image.name)));
            break;
        case Font:
            for (const FontRecord &font : m.FontList)
                names.insert(NoCaseKey(WithoutMark(font.name)));
            break;
        case ToolBarButton: // numbered as a menu item
        case Procedure:
        case None: break;
        }
        return names;
    }

    void warnComputed(ObjectKind kind, QStringView number, qsizetype line)
    {
        WarnAtSourceLine(log_, model_,
                         ComputedNumberWarning(ObjectKindWords(kind), number, SourceLocation(model_, line)), line);
    }

    DesignModel &model_;
    const NameTables &nameTables_;
    LogSink &log_;
    quint32 kinds_;
    const QList<EnumerationMember> constants_;
    SourceConstantValues values_;                // the keys view the names of constants_; the modules' hold theirs
    QSet<NoCaseKey> generated_[ObjectKindCount]; // keys view the names of the design model
    QSet<qint64> used_[ObjectKindCount];
    std::array<qint64, ObjectKindCount> highest_ = [] {
        std::array<qint64, ObjectKindCount> none;
        none.fill(-1);
        return none;
    }();
    WordMemo<ObjectKind> words_;
    WordEndings endings_;
};

// The form designer's constants of one kind that the code still uses as they are: nothing
// gave them a window's name, so they are the designer's custom gadgets and items, numbered by
// the designer's own enumeration.
void UseFormConstants(NumbersInUse &numbers, ObjectKind kind, const SourceLineList &lines, const QString &block)
{
    QHash<NoCaseKey, qint64> values; // keys view the members' names
    QSet<qsizetype> declarations;
    for (const EnumerationMember &member : numbers.constants()) {
        if (member.block != block)
            continue;
        values.insert(NoCaseKey(member.key), member.value);
        declarations.insert(member.line);
    }
    if (values.isEmpty())
        return;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &s = lines.at(i);
        if (IndexOfChar(s, u'#') < 0 || declarations.contains(i))
            continue;
        const CodeLine code = ScanCodeLine(s);
        const QStringView text = QStringView(s).first(code.CodeEnd());
        for (qsizetype h = IndexOfChar(text, u'#'); h >= 0; h = IndexOfChar(text, u'#', h + 1)) {
            const qsizetype end = IdentifierEnd(text, h + 1);
            if (end == h + 1 || code.InLiteral(h))
                continue;
            if (const auto value = values.constFind(NoCaseKey(text.sliced(h + 1, end - h - 1))); value != values.cend())
                numbers.use(kind, *value);
        }
    }
}

// The numbered objects of one creating line, by their origin.
QHash<quint64, QList<const NumberedObject *>> NumberedByLine(const QList<NumberedObject> &objects)
{
    QHash<quint64, QList<const NumberedObject *>> byLine;
    for (const NumberedObject &object : objects)
        byLine[quint64(quint32(object.origin.file)) << 32 | quint32(object.origin.line)].append(&object);
    return byLine;
}

// Each object the sources numbered keeps its number as its constant's value, in the order of
// creation, unless an object of its kind holds the number already: a number the sources still
// give an object, a constant of theirs, or an earlier numbered object. Those that do not keep
// it are numbered with the other objects of their kind.
void KeepSourceNumbers(DesignModel &model, NumbersInUse &numbers)
{
    if (model.NumberedObjects.isEmpty())
        return;
    const QHash<quint64, QList<const NumberedObject *>> byLine = NumberedByLine(model.NumberedObjects);
    for (const ObjectCreation &creation : std::as_const(model.ObjectCreations)) {
        const auto numbered = byLine.constFind(quint64(quint32(creation.origin.file)) << 32
                                               | quint32(creation.origin.line));
        if (numbered == byLine.cend() || creation.index < 0)
            continue;
        for (const NumberedObject *object : *numbered) {
            // The prefix pass put the window's name in front of the constant given.
            if (object->kind != creation.kind
                || !(creation.name.compare(object->name, Qt::CaseInsensitive) == 0
                     || EndsNoCase(creation.name, QLatin1Char('_') + object->name)))
                continue;
            const ObjectKind kind = creation.kind == ToolBarButton ? MenuItem : creation.kind;
            if (!numbers.used(kind, object->number) && !model.KeptNumbers.contains(creation.name)) {
                model.KeptNumbers.insert(creation.name, object->number);
                numbers.use(kind, object->number);
            }
            break;
        }
    }
}

} // namespace

void FindFirstObjectNumbers(DesignModel &model, const NameTables &nameTables, LogSink &log)
{
    NumbersInUse numbers(model, nameTables, log,
                         Bit(Window) | Bit(Menu) | Bit(MenuItem) | Bit(StatusBar) | Bit(ToolBar) | Bit(Gadget));
    numbers.scan();
    numbers.scanModules();
    UseFormConstants(numbers, Gadget, model.CommonSourceLines.texts(), QStringLiteral("FORMGADGET"));
    UseFormConstants(numbers, MenuItem, model.CommonSourceLines.texts(), QStringLiteral("FORMMENU"));
    KeepSourceNumbers(model, numbers);
    FirstNumbers &first = model.First;
    first.window = numbers.first(Window);
    first.menu = numbers.first(Menu);
    first.menuItem = numbers.first(MenuItem);
    first.statusBar = numbers.first(StatusBar);
    first.toolBar = numbers.first(ToolBar);
    first.gadget = numbers.first(Gadget);
}

void FindFirstImageAndFontNumbers(DesignModel &model, const NameTables &nameTables, LogSink &log)
{
    NumbersInUse numbers(model, nameTables, log, Bit(Image) | Bit(Font));
    numbers.scan();
    numbers.scanModules();
    // Loads outside the procedures were recorded, not kept: "LoadImage(0, ...)" is named "0".
    qint64 value = 0;
    for (const ImageRecord &image : std::as_const(model.ImageList)) {
        if (PlainNumber(TrimBlanksView(image.name), value))
            numbers.use(Image, value);
    }
    for (const FontRecord &font : std::as_const(model.FontList)) {
        if (PlainNumber(TrimBlanksView(font.name), value))
            numbers.use(Font, value);
    }
    model.First.image = numbers.first(Image);
    model.First.font = numbers.first(Font);
}

} // namespace quarvel
