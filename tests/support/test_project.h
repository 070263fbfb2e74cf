// Scratch projects for tests: a temporary directory, files written into it, runs over it.
#pragma once

#include "model/name_tables.h"
#include "pipeline/generation_context.h"
#include "recording_front_end.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace quarvel {

class TestProject {
public:
    TestProject();

    QString dir() const { return dir_.path() + QLatin1Char('/'); }
    QString path(const QString &name) const { return dir() + name; }

    void write(const QString &name, const QByteArray &bytes) const;
    void writeLines(const QString &name, const QStringList &lines) const; // UTF-8, LF, no mark
    QByteArray read(const QString &name) const;
    bool exists(const QString &name) const;

    // Copies a folder of tests/data into the project directory.
    void copyFrom(const QString &dataFolder) const;

    // A project state whose file lies in this directory.
    ProjectState project(const QStringList &commonFiles, const Switches &switches = Switches()) const;

private:
    QTemporaryDir dir_;
};

// One whole generation with a recording front-end. Its log is the steps' own, without the
// project report (the golden runs and quarvel-gen's tests show the report).
struct GenerationRun {
    GenerationRun(ProjectState &project, const NameTables &tables = BuildNameTables())
        : tables(tables),
          context(project, this->tables, frontEnd)
    {
        context.reportInLog = false;
    }
    int run();

    RecordingFrontEnd frontEnd;
    NameTables tables;
    GenerationContext context;
};

// The emitters of the writing step, over a design model filled by hand, then the files
// written: a generation without the interpreter, but for its check of LoadLanguage.pb.
void EmitAndWrite(GenerationContext &g);

// Text of a file of tests/data.
QByteArray ReadTestData(const QString &relativePath);

// The lines of text split at LF, for comparing files line by line.
QStringList LinesOf(const QByteArray &utf8);

} // namespace quarvel
