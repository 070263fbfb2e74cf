#include "interpreter/language_strings.h"

#include "base/basic_strings.h"
#include "base/char_search.h"
#include "base/line_lists.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "base/text_encoding.h"
#include "interpreter/common_file_loading.h"
#include "interpreter/opening_procedure.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/project_file.h"
#include "model/source_folder.h"

#include <QHash>

#include <algorithm>

namespace quarvel {

namespace {

const QString Lookup = QStringLiteral("MyLanguage(");

// The literals of the code that each MyLanguage call looks up: the literal that opens its
// argument. An escaped literal (~"...") is no key as it stands.
QList<const CodeLiteral *> LookedUpLiterals(const QString &line, const CodeLine &scan)
{
    QList<const CodeLiteral *> found;
    const qsizetype end = scan.CodeEnd();
    for (qsizetype k = IndexOfNoCase(line, Lookup); k >= 0 && k < end; k = IndexOfNoCase(line, Lookup, k + 1)) {
        if (scan.InLiteral(k) || (k > 0 && IsIdentifierChar(line.at(k - 1))))
            continue;
        const QStringView argument = TrimLeadingBlanksView(QStringView(line).sliced(k + Lookup.size()));
        const qsizetype open = line.size() - argument.size();
        for (const CodeLiteral &literal : scan.literals) {
            if (literal.open == open && literal.kind == CodeLiteral::Plain && literal.close >= 0)
                found.append(&literal);
        }
    }
    return found;
}

// The calls whose texts reach the user, each with the positions (1-based) of its text
// arguments as bits: window titles, gadget texts and items, menu and toolbar texts, status bar
// texts, tooltips and requesters. Fonts, date masks, paths, patterns and queries are none.
const QHash<QString, quint8> &TextCalls()
{
    const auto at = [](std::initializer_list<int> arguments) {
        quint8 bits = 0;
        for (const int argument : arguments)
            bits |= quint8(1u << (argument - 1));
        return bits;
    };
    static const QHash<QString, quint8> calls = {
        {QStringLiteral("OPENWINDOW"), at({6})},
        {QStringLiteral("SETWINDOWTITLE"), at({2})},
        {QStringLiteral("BUTTONGADGET"), at({6})},
        {QStringLiteral("CHECKBOXGADGET"), at({6})},
        {QStringLiteral("FRAME3DGADGET"), at({6})},
        {QStringLiteral("FRAMEGADGET"), at({6})},
        {QStringLiteral("HYPERLINKGADGET"), at({6})},
        {QStringLiteral("LISTICONGADGET"), at({6})},
        {QStringLiteral("OPTIONGADGET"), at({6})},
        {QStringLiteral("STRINGGADGET"), at({6})},
        {QStringLiteral("TEXTGADGET"), at({6})},
        {QStringLiteral("SETGADGETTEXT"), at({2})},
        {QStringLiteral("SETGADGETITEMTEXT"), at({3})},
        {QStringLiteral("ADDGADGETITEM"), at({3})},
        {QStringLiteral("ADDGADGETCOLUMN"), at({3})},
        {QStringLiteral("GADGETTOOLTIP"), at({2})},
        {QStringLiteral("MENUTITLE"), at({1})},
        {QStringLiteral("MENUITEM"), at({2})},
        {QStringLiteral("OPENSUBMENU"), at({1})},
        {QStringLiteral("SETMENUITEMTEXT"), at({3})},
        {QStringLiteral("SETMENUTITLETEXT"), at({3})},
        {QStringLiteral("TOOLBARTOOLTIP"), at({3})},
        {QStringLiteral("TOOLBARSTANDARDBUTTON"), at({4})},
        {QStringLiteral("TOOLBARIMAGEBUTTON"), at({4})},
        {QStringLiteral("TOOLBARBUTTON"), at({4})},
        {QStringLiteral("STATUSBARTEXT"), at({3})},
        {QStringLiteral("MESSAGEREQUESTER"), at({1, 2})},
        {QStringLiteral("INPUTREQUESTER"), at({1, 2})},
        {QStringLiteral("OPENFILEREQUESTER"), at({1})},
        {QStringLiteral("SAVEFILEREQUESTER"), at({1})},
        {QStringLiteral("PATHREQUESTER"), at({1})},
        {QStringLiteral("SYSTRAYICONTOOLTIP"), at({2})},
    };
    return calls;
}

// The literal that opens the argument from index first to index last, passing over blanks,
// other operands and bracketed calls; nullptr when the argument holds none at its own level. An
// escaped literal is not wrapped, and no other literal of its argument is.
const CodeLiteral *FirstLiteralOf(const QString &line, const CodeLine &scan, qsizetype first, qsizetype last)
{
    auto literal = scan.literals.cbegin();
    int depth = 0;
    for (qsizetype i = first; i <= last; ++i) {
        while (literal != scan.literals.cend() && literal->close >= 0 && literal->close < i)
            ++literal;
        if (literal != scan.literals.cend() && literal->Begin() == i) {
            if (depth == 0 && literal->kind != CodeLiteral::Character)
                return literal->kind == CodeLiteral::Plain ? &*literal : nullptr;
            if (literal->close < 0)
                return nullptr; // the literal runs to the end of the line
            i = literal->close;
            continue;
        }
        if (line.at(i) == QLatin1Char('('))
            ++depth;
        else if (line.at(i) == QLatin1Char(')'))
            --depth;
    }
    return nullptr;
}

// The literals of the text arguments of the call whose "(" stands at index open.
void TextLiteralsOfCall(const QString &line, const CodeLine &scan, qsizetype open, quint8 texts,
                        QList<const CodeLiteral *> &found)
{
    const CallShape call = CallShapeAt(line, open);
    const qsizetype end = call.close >= 0 ? call.close : scan.CodeEnd();
    for (int argument = 1; argument <= 8; ++argument) {
        if (!(texts & (1u << (argument - 1))) || argument - 1 > call.commas.size())
            continue;
        const qsizetype first = argument == 1 ? open + 1 : call.commas.at(argument - 2) + 1;
        const qsizetype last = (argument - 1 < call.commas.size() ? call.commas.at(argument - 1) : end) - 1;
        if (const CodeLiteral *literal = FirstLiteralOf(line, scan, first, last))
            found.append(literal);
    }
}

// The literals of a line that reach the user, in the order of the line.
QList<const CodeLiteral *> InterfaceTexts(const QString &line, const CodeLine &scan)
{
    QList<const CodeLiteral *> found;
    const qsizetype end = scan.CodeEnd();
    for (qsizetype bracket = IndexOfChar(line, u'('); bracket >= 0 && bracket < end;
         bracket = IndexOfChar(line, u'(', bracket + 1)) {
        if (scan.InLiteral(bracket))
            continue;
        qsizetype start = bracket;
        while (start > 0 && IsIdentifierChar(line.at(start - 1)))
            --start;
        const auto texts = TextCalls().constFind(UpperKeepLength(QStringView(line).sliced(start, bracket - start)));
        if (texts != TextCalls().cend())
            TextLiteralsOfCall(line, scan, bracket, *texts, found);
    }
    std::sort(found.begin(), found.end(), [](const CodeLiteral *a, const CodeLiteral *b) { return a->open < b->open; });
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

} // namespace

void ScanLanguageStrings(const SourceLineList &lines, LanguageMap &map)
{
    for (const QString &line : lines) {
        if (IndexOfNoCase(line, Lookup) < 0)
            continue;
        const CodeLine scan = ScanCodeLine(line);
        for (const CodeLiteral *literal : LookedUpLiterals(line, scan)) {
            const QString text = literal->TextIn(line).toString();
            if (!text.isEmpty() && !map.contains(text))
                map.insert(text, text);
        }
    }
}

// The texts the windows show become MyLanguage lookups: the first literal of each text
// argument of the calls that show text. A procedure head (whose defaults must stay constants),
// a line with a literal that is never closed, and a literal already looked up stay as they are.
void WrapLanguageStrings(DesignModel &model)
{
    for (QString &line : model.CommonSourceLines) {
        if (IndexOfChar(line, u'"') < 0 || ReadProcedureHead(line))
            continue;
        const CodeLine scan = ScanCodeLine(line);
        if (!scan.literals.isEmpty() && scan.literals.last().close < 0)
            continue;
        const QList<const CodeLiteral *> texts = InterfaceTexts(line, scan);
        for (auto literal = texts.crbegin(); literal != texts.crend(); ++literal) {
            line.insert((*literal)->close + 1, QLatin1Char(')'));
            line.insert((*literal)->open, Lookup);
        }
    }
}

LanguageKeysUsed CollectLanguageStrings(DesignModel &model, const OutputLines &output, const SourceFolder &folder,
                                        LogSink &log)
{
    LanguageKeysUsed result;
    LanguageMap used;
    for (const SourceLineList *lines :
         {&model.CommonSourceLines.texts(), &std::as_const(output.MainLines), &std::as_const(output.EventMenuLines),
          &std::as_const(output.EventGadgetLines), &std::as_const(output.EventWindowLines)})
        ScanLanguageStrings(*lines, used);

    for (const QString &include : std::as_const(model.IncludeFileList)) {
        const auto file = ReadTextFile(ProjectRelativePath(folder.directory, include), folder.format);
        if (!file) {
            log.Error(FileErrorLine(QStringLiteral("OpenFile"), include), include);
            ++result.unreadIncludes;
            continue;
        }
        ScanLanguageStrings(file->lines, used);
    }
    // New keys join the map after the Catalog's, in the order the sources use them.
    for (const QString &key : used.keys()) {
        if (!model.Languages.contains(key))
            model.Languages.insert(key, key);
        result.keys.insert(key);
    }
    return result;
}

void CheckLanguageBlock(const SourceLineList &loadLanguageLines, LogSink &log)
{
    if (FindLanguageBlock(loadLanguageLines).Whole())
        return;
    log.Warning(NoLanguageBlockWarning(), FileName(GeneratedFileId::LoadLanguage));
}

} // namespace quarvel
