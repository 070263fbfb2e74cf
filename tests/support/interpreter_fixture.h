// The parts a single interpreter pass works on, over a scratch project.
#pragma once

#include "model/source_folder.h"
#include "support/test_project.h"

#include <QStringList>

namespace quarvel {

struct InterpreterFixture {
    explicit InterpreterFixture(const QStringList &userGadgets = {}, const QStringList &commonFiles = {})
        : project(dir.project(commonFiles)),
          tables(BuildNameTables(userGadgets))
    {
        model.CommonFileList = commonFiles;
    }

    // Common source lines as the loader would have left them.
    InterpreterFixture &withLines(const QStringList &lines)
    {
        model.CommonSourceLines = SourceLines::WithoutOrigin(lines);
        return *this;
    }

    // The lines as read from one common file, with their file and line numbers.
    InterpreterFixture &withFileLines(const QString &file, const QStringList &lines)
    {
        model.CommonFileList = {file};
        model.CommonSourceLines.clear();
        for (qint32 i = 0; i < lines.size(); ++i)
            model.CommonSourceLines.append(lines.at(i), {0, i + 1});
        return *this;
    }

    const QStringList &lines() const { return model.CommonSourceLines.texts(); }
    SourceFolder folder() const { return {dir.dir(), TextFormat::Utf8}; }

    TestProject dir;
    ProjectState project;
    NameTables tables;
    DesignModel model;
    OutputLines output;
    RecordingLog log;
};

// Lines joined by LF, one string per line: compact rows for data tables.
inline QStringList Rows(const QString &joined)
{
    return joined.split(QLatin1Char('\n'));
}

} // namespace quarvel
