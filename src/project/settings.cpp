#include "settings.h"

#include "../interpreter/name_tables.h"
#include "../pipeline/front_end.h"

namespace quarvel {

QString SettingsDirectory()
{
    return QString();
}

bool LoadUserGadgets(ProgramSettings &settings, FrontEnd &frontEnd)
{
    Q_UNUSED(settings);
    Q_UNUSED(frontEnd);
    return true;
}

void LoadSettings(ProgramSettings &settings, ProjectState &project, NameTables &tables,
                  FrontEnd &frontEnd, const QStringList &arguments)
{
    Q_UNUSED(settings);
    Q_UNUSED(project);
    Q_UNUSED(frontEnd);
    Q_UNUSED(arguments);
    tables = BuildNameTables();
}

void SaveSettings(const ProgramSettings &settings, const ProjectState &project)
{
    Q_UNUSED(settings);
    Q_UNUSED(project);
}

bool SaveUserGadgets(ProgramSettings &settings, const QStringList &names, FrontEnd &frontEnd)
{
    Q_UNUSED(frontEnd);
    settings.UserGadgetList = names;
    return true;
}

} // namespace quarvel
