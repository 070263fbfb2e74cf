#include "pipeline/project_objects.h"

#include "model/event_files.h"
#include "model/object_parts.h"
#include "model/project_file.h"
#include "pipeline/event_procedure_findings.h"
#include "pipeline/generation_context.h"

#include <QDir>
#include <QSet>

namespace quarvel {

namespace {

// The window an object belongs to: the longest window name that its constant begins with,
// followed by "_" (the prefix the prefix pass gave it). The names returned share the model's.
class WindowOwners {
public:
    explicit WindowOwners(const QStringList &windows) : windows_(windows)
    {
        index_.reserve(windows.size());
        for (qsizetype i = 0; i < windows.size(); ++i)
            index_.insert(windows[i], i);
        for (const QString &window : windows) {
            if (const QString shorter = OwnerOf(window); !shorter.isNull())
                extended_.insert(shorter);
        }
    }

    QString OwnerOf(const QString &name) const
    {
        for (qsizetype at = name.lastIndexOf(QLatin1Char('_')); at > 0;
             at = name.lastIndexOf(QLatin1Char('_'), at - 1)) {
            if (const auto window = index_.constFind(QStringView(name).first(at)); window != index_.cend())
                return windows_[*window];
        }
        return QString();
    }

    // Nearly every object follows the window it belongs to: when its name begins with that
    // window's and no longer window name begins so, that window is the owner without a search.
    QString OwnerAfter(const QString &window, const QString &name) const
    {
        const bool prefixed = name.size() > window.size() && name.at(window.size()) == QLatin1Char('_')
                              && QStringView(name).startsWith(window);
        return prefixed && (extended_.isEmpty() || !extended_.contains(window)) ? window : OwnerOf(name);
    }

private:
    const QStringList &windows_;
    QHash<QStringView, qsizetype> index_;
    QSet<QString> extended_; // windows whose name begins a longer window's, followed by "_"
};

// The titles of each panel's tabs, by the panel's constant: the text of AddGadgetItem's third
// argument, inside its quotes when it is one string.
QHash<QString, QStringList> TabTitles(const QList<GadgetItemCall> &calls)
{
    QHash<QString, QStringList> titles;
    for (const GadgetItemCall &call : calls) {
        const QList<QStringView> arguments = CallArguments(call.statement, call.bracket);
        if (arguments.size() < 3)
            continue;
        const QStringView inside = StringInside(arguments[2]);
        titles[call.gadget].append((inside.isEmpty() ? arguments[2] : inside).toString());
    }
    return titles;
}

// The event procedures of one kind: where the scan found their heads, in which lines.
struct EventProcedures {
    const EventHeadTable &heads;
    const EventFile &events;
    const SourceLineList &lines;
    qsizetype loaded; // lines the file held before this run appended to it
    ProcedureFact Of(const ObjectCreation &object) const
    {
        ProcedureFact fact{ProcedureState::Missing, &events};
        const EventHeads *found = heads.Find(object.index, object.name);
        if (!found)
            return fact;
        if (found->standard >= loaded) {
            fact.state = ProcedureState::Appended; // generated whole: none of its lines is the user's
            fact.line = int(found->standard + 1);
        } else if (found->standard >= 0 || found->edited >= 0) {
            const qsizetype head = found->standard >= 0 ? found->standard : found->edited;
            fact.state = found->standard >= 0 ? ProcedureState::Present : ProcedureState::EditedHead;
            fact.line = int(head + 1);
            fact.userLines = UserCodeLines(lines, head);
        }
        return fact;
    }
};

struct ObjectReader {
    const GenerationContext &run;
    const EventProcedureScan &scan;
    WindowOwners owners{run.model.WindowList};
    QStringList files = SourceFiles();
    QHash<QString, QStringList> tabs = TabTitles(run.model.GadgetItemCalls);
    EventProcedures menu{scan.menu, MenuEvents, run.lines.EventMenuLines, run.lines.EventMenuLoaded};
    EventProcedures gadget{scan.gadget, GadgetEvents, run.lines.EventGadgetLines, run.lines.EventGadgetLoaded};
    EventProcedures size{scan.size, SizeEvents, run.lines.EventWindowLines, run.lines.EventWindowLoaded};
    EventProcedures exit{scan.exit, ExitEvents, run.lines.EventWindowLines, run.lines.EventWindowLoaded};

    // The common files relative to the project folder, by their index.
    QStringList SourceFiles() const
    {
        const QDir project(run.ProjectDirectory());
        QStringList relative;
        for (const QString &file : run.model.CommonFileList)
            relative.append(project.relativeFilePath(ProjectRelativePath(run.ProjectDirectory(), file)));
        return relative;
    }

    // The gadget list knows the type of a gadget it holds; a second creation of its name is
    // told by its own command.
    bool GadgetHasEventProcedure(const ObjectCreation &creation) const
    {
        if (creation.index >= 0 && creation.index < run.model.GadgetList.size())
            return HasEventProcedure(run.model.GadgetList[creation.index]);
        return CommandHasEventProcedure(CommandBefore(creation.statement, creation.bracket));
    }

    void AddProcedures(ObjectFact &fact, const ObjectCreation &creation) const
    {
        switch (fact.kind) {
        case ObjectKind::Window:
            fact.procedure = size.Of(creation);
            fact.exitProcedure = exit.Of(creation);
            break;
        case ObjectKind::MenuItem:
        case ObjectKind::ToolBarButton: fact.procedure = menu.Of(creation); break;
        case ObjectKind::Gadget:
            if (GadgetHasEventProcedure(creation))
                fact.procedure = gadget.Of(creation);
            break;
        case ObjectKind::Menu:
        case ObjectKind::ToolBar:
        case ObjectKind::StatusBar:
        case ObjectKind::Image: // not in the object list
        case ObjectKind::Font:
        case ObjectKind::Procedure:
        case ObjectKind::None: break;
        }
    }

    // window: the window of the objects before it in the sources.
    ObjectFact Read(const ObjectCreation &creation, const QString &window) const
    {
        ObjectFact fact;
        fact.kind = creation.kind;
        fact.name = creation.name;
        fact.window = creation.kind == ObjectKind::Window ? creation.name : owners.OwnerAfter(window, creation.name);
        fact.file = files.value(creation.origin.file);
        fact.line = creation.origin.line;
        fact.statement = creation.statement;
        fact.bracket = creation.bracket;
        if (!tabs.isEmpty() && creation.kind == ObjectKind::Gadget
            && CommandBefore(creation.statement, creation.bracket).compare(u"PanelGadget", Qt::CaseInsensitive) == 0)
            fact.tabs = tabs.value(creation.name);
        AddProcedures(fact, creation);
        return fact;
    }
};

} // namespace

QList<ObjectFact> ProjectObjects(const GenerationContext &run, const EventProcedureScan &scan)
{
    const ObjectReader reader{run, scan};
    QList<ObjectFact> objects;
    objects.reserve(run.model.ObjectCreations.size() + scan.strays.size());
    QString window;
    for (const ObjectCreation &creation : run.model.ObjectCreations) {
        objects.append(reader.Read(creation, window));
        window = objects.last().window;
    }
    objects += scan.strays;
    return objects;
}

} // namespace quarvel
