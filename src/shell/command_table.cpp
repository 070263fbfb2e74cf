#include "shell/command_table.h"

#include <QAction>
#include <QCoreApplication>

#include <algorithm>

namespace quarvel {

namespace {

constexpr QKeyCombination Ctrl(Qt::Key key)
{
    return Qt::CTRL | key;
}

// The texts marked own are looked up in the translations under the context "quarvel::MainView".
const CommandEntry Table[] = {
    {Command::ProjectNew, "Project &New\tCtrl-N", IconNew, {Ctrl(Qt::Key_N)}, "Project New", true, false},
    {Command::ProjectLoad,
     "Project &Load\tCtrl-L",
     IconLoad,
     {Ctrl(Qt::Key_L), Ctrl(Qt::Key_O)},
     "Project Load",
     true,
     false},
    {Command::ProjectSave, "Project &Save\tCtrl-S", IconSave, {Ctrl(Qt::Key_S)}, "Project Save", true, false},
    {Command::ProjectSaveAs, "Project Save &As", IconSaveAs, {}, nullptr, true, false},
    {Command::UserGadget, "User&Gadget", IconUserGadget, {}, nullptr, false, false}, // open during a run
    {Command::Exit, "E&xit\tCtrl-Q", IconExit, {Ctrl(Qt::Key_Q)}, nullptr, true, false},
    {Command::CommonAdd, "Common &Add", IconAdd, {}, "Add Commonfile", true, false},
    {Command::CommonDelete, "Common &Delete\tDel", IconDelete, {Qt::Key_Delete}, "Remove Commonfile", true, false},
    {Command::CommonFirst, "Common &First File", IconFirst, {}, "Selected Commonfile as first", true, false},
    {Command::StartGenerate, "&Start Generate\tF5", IconGenerate, {Qt::Key_F5}, "Generate", true, false},
    {Command::Info, "&Info", IconInfo, {}, nullptr, false, false},
    {Command::Licence, "&Licence", IconLicence, {}, nullptr, false, false},
    {Command::Changes,
     QT_TRANSLATE_NOOP("quarvel::MainView", "Show &Changes\tCtrl-D"),
     IconChanges,
     {Ctrl(Qt::Key_D)},
     QT_TRANSLATE_NOOP("quarvel::MainView", "Show Changes"),
     false,
     true},
    {Command::ProjectView,
     QT_TRANSLATE_NOOP("quarvel::MainView", "Show &Project View\tCtrl-P"),
     IconUserGadget,
     {Ctrl(Qt::Key_P)},
     nullptr,
     false,
     true},
    {Command::RegenerateOnSave,
     QT_TRANSLATE_NOOP("quarvel::MainView", "&Regenerate on Save"),
     IconGenerate,
     {},
     nullptr,
     false,
     true},
    {Command::OpenProjectFolder,
     QT_TRANSLATE_NOOP("quarvel::MainView", "Open Project &Folder"),
     IconLoad,
     {},
     nullptr,
     false,
     true},
    {Command::Undo,
     QT_TRANSLATE_NOOP("quarvel::MainView", "&Undo\tCtrl-Z"),
     IconUndo,
     {Ctrl(Qt::Key_Z)},
     nullptr,
     true,
     true},
    {Command::Editor, QT_TRANSLATE_NOOP("quarvel::MainView", "&Editor..."), IconInfo, {}, nullptr, false, true},
};

const ApplicationMenuEntry ApplicationMenu[] = {
    {QAction::AboutRole, QT_TRANSLATE_NOOP("quarvel::MainView", "About Quarvel"), Command::Info},
    {QAction::PreferencesRole, QT_TRANSLATE_NOOP("quarvel::MainView", "Preferences..."), Command::UserGadget},
    {QAction::QuitRole, QT_TRANSLATE_NOOP("quarvel::MainView", "Quit"), Command::Exit},
};

} // namespace

std::span<const CommandEntry> Commands()
{
    return Table;
}

const CommandEntry &EntryOf(Command command)
{
    return *std::find_if(std::begin(Table), std::end(Table),
                         [command](const CommandEntry &entry) { return entry.command == command; });
}

std::span<const ApplicationMenuEntry> ApplicationMenuEntries()
{
    return ApplicationMenu;
}

} // namespace quarvel
