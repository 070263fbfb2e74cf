#include "project/project_commands.h"

#include "model/front_end.h"
#include "model/project_file.h"

#include <QFileInfo>

namespace quarvel {

namespace {

const QString QuestionTitle = QStringLiteral("Frage");

QString FileNamePart(const QString &path)
{
    return path.sliced(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// A name part without any "." gets the project extension; any other extension is kept.
QString WithProjectExtension(const QString &path)
{
    return FileNamePart(path).contains(QLatin1Char('.')) ? path : path + QStringLiteral(".pbm");
}

} // namespace

QString PathPart(const QString &path)
{
    return path.first(path.lastIndexOf(QLatin1Char('/')) + 1);
}

ProjectCommands::ProjectCommands(ProjectState &project, Requesters &ask, FrontEnd &frontEnd)
    : project_(project),
      ask_(ask),
      frontEnd_(frontEnd)
{}

void ProjectCommands::ShowProjectFile()
{
    if (showProjectFile)
        showProjectFile(project_.ProjectFile);
}

void ProjectCommands::ShowCommonFiles()
{
    if (showCommonFiles)
        showCommonFiles();
}

bool ProjectCommands::AskSaveChanges()
{
    if (project_.ProjectSaved)
        return true;
    // Cancel (also Escape and the close box) goes back with nothing lost.
    const Answer answer = ask_.Question(QuestionTitle, QStringLiteral("Aktuelles Projekt speichern?"), true);
    if (answer == Answer::Cancel)
        return false;
    if (answer == Answer::No)
        return true;
    if (project_.ProjectNamed) {
        // A project with no common file has nothing to save. When writing fails the error box
        // has been shown, and the calling command stops so the changes are not lost with it.
        return ReportFailure(frontEnd_, SaveProject(project_.ProjectFile, project_, writer))
               || project_.CommonFiles.isEmpty();
    }
    return SaveProjectAs();
}

void ProjectCommands::NewProject()
{
    if (!AskSaveChanges())
        return;
    project_.CommonFiles.clear();
    frontEnd_.ClearLog();
    project_.Stored.clear();
    project_.ProjectNamed = false;
    project_.ProjectSaved = true;
    project_.ProjectFile = UnnamedProjectFile;
    ShowCommonFiles();
    ShowProjectFile();
}

void ProjectCommands::OpenProject()
{
    if (!AskSaveChanges())
        return;
    const QStringList chosen = ask_.OpenFiles(QStringLiteral("Load project"), project_.DialogFolder(), ProjectPatterns,
                                              false);
    const QString path = chosen.value(0);
    if (!path.isEmpty())
        LoadChosenProject(path);
}

void ProjectCommands::OpenProjectFile(const QString &path)
{
    if (AskSaveChanges())
        LoadChosenProject(path);
}

void ProjectCommands::LoadChosenProject(const QString &path)
{
    frontEnd_.ClearLog();
    const bool loaded = ReportFailure(frontEnd_, LoadProject(path, project_));
    ShowCommonFiles(); // emptied even when the load failed
    if (!loaded)
        return;
    project_.LastPath = PathPart(path);
    project_.ProjectFile = path;
    ShowProjectFile();
}

void ProjectCommands::SaveProjectCommand()
{
    if (project_.ProjectNamed)
        ReportFailure(frontEnd_, SaveProject(project_.ProjectFile, project_, writer));
    else
        SaveProjectAs();
}

bool ProjectCommands::SaveProjectAs()
{
    QString path = ask_.SaveFile(QStringLiteral("Save project"), project_.LastPath + FileNamePart(project_.ProjectFile),
                                 ProjectPatterns);
    if (path.isEmpty())
        return false;
    path = WithProjectExtension(path);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isDir()
        && ask_.Question(QuestionTitle, QStringLiteral("Datei überschreiben?")) != Answer::Yes)
        return false;
    // The relative paths of the common files are rebased, so that they still name the same
    // files from the new folder.
    const QStringList commonFiles = project_.CommonFiles;
    project_.CommonFiles = RebasedCommonFiles(
        commonFiles, project_.ProjectNamed ? project_.ProjectDirectory() : QString(), PathPart(path));
    if (!ReportFailure(frontEnd_, SaveProject(path, project_, writer))) {
        project_.CommonFiles = commonFiles;
        return false;
    }
    project_.LastPath = PathPart(path);
    project_.ProjectFile = path;
    ShowProjectFile();
    if (project_.CommonFiles != commonFiles)
        ShowCommonFiles();
    return true;
}

void ProjectCommands::QuitCommand()
{
    if (AskSaveChanges())
        QuitRequested = true;
}

bool ProjectCommands::GenerationGuard()
{
    return project_.ProjectNamed || SaveProjectAs();
}

} // namespace quarvel
