// The project file (*.pbm): common files, switches and the constant names of the last
// generation, in eight sections.
#pragma once

#include "base/file_result.h"
#include "model/project_state.h"

#include <QString>

namespace quarvel {

class FileWriter;
class WritePlan;
struct DesignModel;

// Writes the project to path. The six name sections come from the design model when one is
// given (the end of a generation), else from the stored lists. Not done, with nothing to
// report and nothing written, when the project has no common file; failed with the "Project"
// message when the file cannot be written, in which case an existing file keeps its content.
FileResult SaveProject(const QString &path, ProjectState &project, const FileWriter &writer,
                       const DesignModel *designLists = nullptr);
// The same at the end of a run, through the run's write plan: an unchanged project file is
// left alone, and a dry run writes nothing.
FileResult SaveProject(const QString &path, ProjectState &project, WritePlan &plan, const DesignModel *designLists);

// The file's text as SaveProject writes it.
QByteArray ProjectFileText(const ProjectState &project, const DesignModel *designLists);

// Replaces the common files, the stored lists and the switches the file names. Failed, with
// the "Project" message, when the file cannot be opened; the lists are empty then. The caller
// clears the log first.
FileResult LoadProject(const QString &path, ProjectState &project);

// Reads project text into project, by the same rules (used by LoadProject and by tests).
void ReadProjectText(const QByteArray &bytes, ProjectState &project);

} // namespace quarvel
