// Everything one generation works on. The worker thread owns it for the length of a run; the
// project state and the name tables are borrowed from the application.
#pragma once

#include "base/file_writer.h"
#include "base/text_encoding.h"
#include "model/design_model.h"
#include "model/front_end.h"
#include "model/name_tables.h"
#include "model/project_state.h"

#include <QList>

namespace quarvel {

// One rename bound in step 2 and carried through the user's code in step 3.
struct ConstantBinding {
    QString oldName; // without "#"
    QString newName; // without "#"
    ObjectKind kind = ObjectKind::Window;
};

using BindingList = QList<ConstantBinding>;

struct GenerationContext {
    GenerationContext(ProjectState &project, const NameTables &nameTables, FrontEnd &frontEnd)
        : project(project), nameTables(nameTables), frontEnd(frontEnd) {}

    ProjectState &project;
    const NameTables &nameTables;
    FrontEnd &frontEnd;
    FileWriter writer;

    DesignModel model;
    OutputLines lines;
    BindingList bindings;
    TextFormat outputFormat = FormatUtf8;

    const Switches &switches() const { return project.switches; }
    QString ProjectDirectory() const { return project.ProjectDirectory(); }
    void LogLine(const QString &text) { frontEnd.AppendLogLine(text); }
};

} // namespace quarvel
