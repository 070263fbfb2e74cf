// The main window's part that shows a run: the log, the summary in the status bar, and the
// files the log names, opened in the user's editor.
#include "model/requesters.h"
#include "project/editor_command.h"
#include "project/project_commands.h"
#include "project/settings.h"
#include "shell/log_view.h"
#include "shell/main_view.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QUrl>

namespace quarvel {

QString MainView::EditorCommand() const
{
    return settings_.EditorCommand.isEmpty() ? DefaultEditorCommand() : settings_.EditorCommand;
}

// The editor's command line, else the desktop's application for the file; when neither opens
// it the user learns why and where to set the editor.
void MainView::OpenInEditor(const QString &path, int line)
{
    const bool folder = QFileInfo(path).isDir();
    const QString command = folder ? QString() : EditorCommand();
    QStringList parts = EditorCommandLine(command, path, line);
    if (!parts.isEmpty() && QProcess::startDetached(parts.takeFirst(), parts))
        return;
    if (openUrl(QUrl::fromLocalFile(path)))
        return;
    const QString shown = QDir::toNativeSeparators(path);
    if (folder) {
        ask_.MessageOk(QStringLiteral("Quarvel"),
                       tr("Cannot open %1.\n\nThe desktop has no application for folders.").arg(shown));
        return;
    }
    const QString why = command.isEmpty() ? tr("No editor is set and none of the known editors is installed, and "
                                               "the desktop has no application for this file.")
                                          : tr("The editor command \"%1\" could not be started, and the desktop "
                                               "has no application for this file.")
                                                .arg(command);
    ask_.MessageOk(
        QStringLiteral("Quarvel"),
        tr("Cannot open %1.\n\n%2\nSet your editor's command in File > Preferences > Editor.").arg(shown, why));
}

// The command shown is the one in force, the found editor's when none is set.
void MainView::ChooseEditorCommand()
{
    const QString chosen = ask_.InputText(
        tr("Editor"), tr("The command that opens a file in your editor; %f stands for the file, %l for the line:"),
        EditorCommand());
    if (!chosen.trimmed().isEmpty())
        settings_.EditorCommand = chosen.trimmed();
}

void MainView::OpenLogLineFile(int row)
{
    const LogModel &model = log_->model();
    if (row < 0 || row >= model.rowCount() || model.IsSeparator(row))
        return;
    const LogEntry &entry = model.EntryAt(row);
    if (entry.file.isEmpty())
        return;
    const QString path = QFileInfo(entry.file).isRelative() ? PathPart(project_.ProjectFile) + entry.file : entry.file;
    if (!QFileInfo(path).isFile()) {
        statusBar()->showMessage(tr("File not found: %1").arg(path), 5000);
        return;
    }
    openInEditor(path, entry.line);
}

void MainView::OpenProjectFolder()
{
    if (project_.ProjectNamed)
        openInEditor(QFileInfo(project_.ProjectFile).absolutePath(), 0);
}

void MainView::RunStarting()
{
    log_->BeginRun();
    firstRunLine_ = log_->RowCount();
    summaryField_->setText(tr("Running…"));
    summaryField_->setToolTip(QString());
    ShowSummaryColour(std::nullopt);
}

void MainView::AppendLog(const QList<LogEntry> &entries)
{
    log_->Append(entries);
}

void MainView::ClearLog()
{
    firstRunLine_ = 0;
    log_->Clear();
    summaryField_->clear();
    summaryField_->setToolTip(QString());
    ShowSummaryColour(std::nullopt);
}

void MainView::RunEnded(const std::optional<RunResult> &result)
{
    RefreshTitle();
    if (!result) {
        summaryField_->setText(tr("Stopped"));
        return;
    }
    // With errors, warnings or findings the summary is a link to the first of them in the log,
    // in the summary's colour: a link's own colour would not follow it.
    const QString summary = RunSummaryText(*result);
    const bool notes = result->warnings || !result->findings.isEmpty();
    ShowSummaryColour(result->errors ? std::optional(ThemeRole::Error)
                      : notes        ? std::optional(ThemeRole::Warning)
                                     : std::nullopt);
    const QString colour = summaryField_->palette().color(QPalette::WindowText).name();
    summaryField_->setText(
        result->errors || notes
            ? QStringLiteral("<a href=\"#first\" style=\"color: %1\">%2</a>").arg(colour, summary.toHtmlEscaped())
            : summary);
}

// The summary's colour reads on the status bar's background, whatever the theme.
void MainView::ShowSummaryColour(std::optional<ThemeRole> role)
{
    QPalette own; // only the text colour is its own; the rest follows the theme
    if (role)
        own.setColor(QPalette::WindowText, ThemeColour(summaryField_->palette(), *role, QPalette::Window));
    summaryField_->setPalette(own);
    QFont font = summaryField_->font();
    font.setBold(role == ThemeRole::Error);
    summaryField_->setFont(font);
}

void MainView::ShowFirstFinding()
{
    const LogModel &model = log_->model();
    for (int row = qMax(0, firstRunLine_); row < model.rowCount(); ++row) {
        if (model.IsSeparator(row))
            continue;
        if (const LogKind kind = model.EntryAt(row).kind;
            kind == LogKind::Error || kind == LogKind::Warning || kind == LogKind::Finding) {
            log_->ShowRow(row);
            return;
        }
    }
}

QStringList MainView::LogLines() const
{
    return log_->Lines();
}

} // namespace quarvel
