// The project file (*.pbm): common files, switches and the constant names of the last
// generation, in eight sections.
#pragma once

#include "base/file_result.h"
#include "model/project_state.h"

#include <QString>

namespace quarvel {

class FileWriter;

// Writes the project to path, its six name sections from the stored lists. Not done, with nothing to
// report and nothing written, when the project has no common file; failed with the "Project"
// message when the file cannot be written, in which case an existing file keeps its content.
FileResult SaveProject(const QString &path, ProjectState &project, const FileWriter &writer);
// The end of a save that went another way (a run writes the project file with its other
// files): the project named and saved when its file was written, else the "Project" failure.
FileResult FinishProjectSave(ProjectState &project, const FileResult &written);

// The file's text as SaveProject writes it.
QByteArray ProjectFileText(const ProjectState &project);

// A relative path of the project (a common file, an include) taken from the project directory;
// an absolute path as it stands.
QString ProjectRelativePath(const QString &projectDirectory, const QString &path);

// A common file as the project file keeps it: relative to projectDirectory when the file lies
// in or below it, so that the project can move with its files; else its full path.
QString ProjectFilePath(const QString &projectDirectory, const QString &path);

// Of entries (common files as the project lists them), those that name a file neither listed
// nor named by an earlier entry: one file is one entry, however its path is written ("." and
// "..", another relative or absolute form, a link to it). A relative entry is taken from
// projectDirectory.
QStringList NewCommonFiles(const QString &projectDirectory, const QStringList &listed, const QStringList &entries);

// The common files of a project saved from one folder into another: a relative entry is taken
// from fromDirectory (none for a project never saved: it stays as written), then each is kept
// as ProjectFilePath keeps it for toDirectory. Saved into its own folder, the entries stay as
// they are written.
QStringList RebasedCommonFiles(const QStringList &files, const QString &fromDirectory, const QString &toDirectory);

// Replaces the common files, the stored lists and the switches the file names. Failed, with
// the "Project" message, when the file cannot be opened; the lists are empty then. The caller
// clears the log first.
FileResult LoadProject(const QString &path, ProjectState &project);

// Reads project text into project, by the same rules (used by LoadProject and by tests).
void ReadProjectText(const QByteArray &bytes, ProjectState &project);

} // namespace quarvel
