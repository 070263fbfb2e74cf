// A generation context over a scratch project, for running single interpreter passes.
#pragma once

#include "support/test_project.h"

#include <QStringList>

namespace quarvel {

struct InterpreterFixture {
    explicit InterpreterFixture(const QStringList &userGadgets = {}, const QStringList &commonFiles = {})
        : project(dir.project(commonFiles)),
          tables(BuildNameTables(userGadgets)),
          g(project, tables, frontEnd)
    {
        g.model.CommonFileList = commonFiles;
    }

    // Common source lines as the loader would have left them.
    InterpreterFixture &withLines(const QStringList &lines)
    {
        g.model.CommonSourceLines = SourceLines::WithoutOrigin(lines);
        return *this;
    }

    // The lines as read from one common file, with their file and line numbers.
    InterpreterFixture &withFileLines(const QString &file, const QStringList &lines)
    {
        g.model.CommonFileList = {file};
        g.model.CommonSourceLines.clear();
        for (qint32 i = 0; i < lines.size(); ++i)
            g.model.CommonSourceLines.append(lines.at(i), {0, i + 1});
        return *this;
    }

    const QStringList &lines() const { return g.model.CommonSourceLines.texts(); }

    TestProject dir;
    ProjectState project;
    RecordingFrontEnd frontEnd;
    NameTables tables;
    GenerationContext g;
};

// Lines joined by LF, one string per line: compact rows for data tables.
inline QStringList Rows(const QString &joined)
{
    return joined.split(QLatin1Char('\n'));
}

} // namespace quarvel
