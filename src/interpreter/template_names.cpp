#include "interpreter/template_names.h"

#include "base/basic_strings.h"
#include "base/no_case_key.h"
#include "base/no_case_search.h"
#include "base/procedure_head.h"
#include "base/statement_scan.h"
#include "interpreter/opening_procedure.h"
#include "interpreter/source_structure.h"
#include "model/generated_files.h"
#include "model/log_messages.h"
#include "model/log_sink.h"
#include "model/switches.h"

namespace quarvel {

namespace {

struct GeneratedProcedure {
    QString name;
    QString file;
};

// The procedures the dispatcher file and the language file of this run define.
QList<GeneratedProcedure> GeneratedProcedures(const Switches &switches)
{
    QList<GeneratedProcedure> procedures;
    for (const char *name : {"MyEventMenu", "MyEventGadget", "MyEventSize", "MyEventExit"})
        procedures.append({QLatin1String(name), FileName(GeneratedFileId::EventMain)});
    if (switches.UseCallFast)
        procedures.append({QStringLiteral("MyEventDispatch"), FileName(GeneratedFileId::EventMain)});
    if (switches.Multilang)
        procedures.append({QStringLiteral("LoadLanguage"), FileName(GeneratedFileId::LoadLanguage)});
    return procedures;
}

// The procedures lines define: name in any letter case -> the line of its first head. The
// keys hold their names: the passes rewrite the lines.
QHash<NoCaseKey, qsizetype> DefinedProcedures(const SourceLineList &lines)
{
    QHash<NoCaseKey, qsizetype> defined;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (const std::optional<ProcedureHead> head = ReadProcedureHead(lines.at(i)))
            if (!defined.contains(NoCaseKey(head->name)))
                defined.insert(NoCaseKey::Holding(head->name.toString()), i);
    return defined;
}

// stem, or stem_2, stem_3, ... whichever no procedure has.
QString FreeName(const QString &stem, const QHash<NoCaseKey, qsizetype> &taken)
{
    QString name = stem;
    for (int n = 2; taken.contains(NoCaseKey(name)); ++n)
        name = stem + QLatin1Char('_') + QString::number(n);
    return name;
}

// The single statement of a line when it is a Global declaration; a null view otherwise.
QStringView GlobalStatement(const QString &code)
{
    const QList<QStringView> statements = Statements(code);
    if (statements.size() != 1 || FirstWord(statements.first()) != QLatin1String("GLOBAL"))
        return QStringView();
    return statements.first();
}

// The items of a line's Global statement, read from the line itself, and the line up to them.
struct GlobalItems {
    QString keyword; // the indentation and "Global" or "Global.i", as written
    QStringList items;
};

GlobalItems ItemsOf(const QString &line, const QString &code, QStringView statement)
{
    const qsizetype start = statement.data() - code.data();
    const Declaration declaration = ReadDeclaration(QStringView(line).sliced(start, statement.size()));
    return {line.left(start + declaration.itemsAt), declaration.items};
}

// upperName: upper-cased, as the search of the lines takes it.
bool DeclaresGlobal(const SourceLineList &lines, const QString &upperName)
{
    const NoCaseKey name(upperName);
    for (const QString &line : lines) {
        if (!HoldsNoCase(line, upperName))
            continue;
        const QString code = BlankedCode(line);
        if (const QStringView statement = GlobalStatement(code); !statement.isNull())
            for (const QString &item : ItemsOf(line, code, statement).items)
                if (NoCaseKey(DeclaredName(item)) == name)
                    return true;
    }
    return false;
}

struct TemplateNames {
    DesignModel &model;
    const SourceLineList &mainLines;
    LogSink &log;
    QHash<NoCaseKey, qsizetype> defined; // the common files' procedures

    void warn(const QString &what, qsizetype line, const QString &resolution)
    {
        WarnAtSourceLine(log, model, GeneratedNameWarning(what, SourceLocation(model, line), resolution), line);
    }

    void mainProcedure()
    {
        const NoCaseKey main(u"Main");
        const auto own = defined.constFind(main);
        if (own == defined.cend() || !DefinedProcedures(mainLines).contains(main))
            return;
        QHash<NoCaseKey, qsizetype> taken = defined;
        taken.insert(DefinedProcedures(mainLines));
        model.MainProcedure = FreeName(QStringLiteral("MainProgram"), taken);
        warn(QStringLiteral("Procedure Main()"), *own,
             QStringLiteral("has the name of Main.pb's main procedure; Main.pb names its own ") + model.MainProcedure
                 + QStringLiteral("()."));
    }

    void generatedProcedure(const GeneratedProcedure &procedure)
    {
        const auto own = defined.constFind(NoCaseKey(procedure.name));
        if (own == defined.cend())
            return;
        const qsizetype line = *own;
        const QString renamed = FreeName(procedure.name + QStringLiteral("_1"), defined);
        defined.insert(NoCaseKey::Holding(renamed), line);
        const QString upper = UpperKeepLength(procedure.name);
        for (QString &text : model.CommonSourceLines)
            if (HoldsNoCase(text, upper))
                text = ReplaceWordInCode(text, procedure.name, renamed);
        warn(QStringLiteral("Procedure ") + procedure.name + QStringLiteral("()"), line,
             QStringLiteral("has the name of a procedure of ") + procedure.file
                 + QStringLiteral("; CommonFile.pb names it ") + renamed + QStringLiteral("()."));
    }

    // A Global of the common files that declares ExitApplication loses that item; a line left
    // without any becomes a comment, so no line is added or removed.
    void exitApplication()
    {
        const QString upper = QStringLiteral("EXITAPPLICATION");
        if (!DeclaresGlobal(mainLines, upper))
            return;
        SourceLines &lines = model.CommonSourceLines;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QString &line = lines[i];
            if (!StartsNoCase(TrimLeadingBlanksView(line), u"GLOBAL") || !HoldsNoCase(line, upper))
                continue;
            const QString code = BlankedCode(line);
            const QStringView statement = GlobalStatement(code);
            if (statement.isNull())
                continue;
            const GlobalItems declared = ItemsOf(line, code, statement);
            QStringList kept;
            for (const QString &item : declared.items)
                if (NoCaseKey(DeclaredName(item)) != NoCaseKey(upper))
                    kept.append(item);
            if (kept.size() == declared.items.size())
                continue;
            line = kept.isEmpty() ? CommentedOut(line)
                                  : declared.keyword + QLatin1Char(' ') + kept.join(QStringLiteral(", "));
            warn(QStringLiteral("Global ExitApplication"), i,
                 QStringLiteral("is declared by Main.pb; CommonFile.pb leaves this declaration out."));
        }
    }
};

} // namespace

void AvoidTemplateNames(DesignModel &model, const SourceLineList &mainLines, const Switches &switches, LogSink &log)
{
    TemplateNames names{model, mainLines, log, DefinedProcedures(model.CommonSourceLines.texts())};
    names.mainProcedure();
    for (const GeneratedProcedure &procedure : GeneratedProcedures(switches))
        names.generatedProcedure(procedure);
    names.exitApplication();
}

} // namespace quarvel
