#include "shell/changes_view.h"

#include "base/text_encoding.h"
#include "pipeline/backup.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace quarvel {

namespace {

QStringList LinesOf(const QString &path)
{
    const std::optional<TextFile> file = ReadTextFile(path);
    return file ? file->lines : QStringList();
}

int WordCount(const QString &word, const QStringList &lines)
{
    const QRegularExpression pattern(QStringLiteral("(?<![\\w#])#?") + QRegularExpression::escape(word)
                                         + QStringLiteral("(?!\\w)"),
                                     QRegularExpression::CaseInsensitiveOption);
    int count = 0;
    for (const QString &line : lines) {
        for (auto it = pattern.globalMatch(line); it.hasNext(); it.next())
            ++count;
    }
    return count;
}

const char *LineStyle(DiffLine::Kind kind)
{
    switch (kind) {
    case DiffLine::Added: return "background:#dff5df;color:#0b5d0b";
    case DiffLine::Removed: return "background:#fbe0e0;color:#8f1010";
    case DiffLine::Gap: return "background:#e6ecf5;color:#34495e";
    case DiffLine::Same: break;
    }
    return "";
}

QChar LineMark(DiffLine::Kind kind)
{
    return kind == DiffLine::Added ? QLatin1Char('+') : kind == DiffLine::Removed ? QLatin1Char('-') : QLatin1Char(' ');
}

QWidget *Captioned(const QString &caption, QWidget *content)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(caption));
    layout->addWidget(content);
    return box;
}

} // namespace

ChangedFile LoadChangedFile(const QString &projectDirectory, const QString &written)
{
    ChangedFile file;
    file.path = QFileInfo(written).isRelative() ? projectDirectory + written : written;
    const QString backup = BackupCopyPath(projectDirectory, file.path);
    file.isNew = !QFileInfo(backup).isFile();
    if (!file.isNew)
        file.before = LinesOf(backup);
    file.after = LinesOf(file.path);
    return file;
}

int ReplacedCount(const QString &oldName, const QList<ChangedFile> &files)
{
    int count = 0;
    for (const ChangedFile &file : files)
        count += qMax(0, WordCount(oldName, file.before) - WordCount(oldName, file.after));
    return count;
}

QString DiffHtml(const ChangedFile &file)
{
    const QList<DiffLine> lines = UnifiedDiff(file.before, file.after);
    if (lines.isEmpty())
        return QStringLiteral("<p>No change.</p>");
    QString html = QStringLiteral("<pre style=\"margin:0\">");
    for (const DiffLine &line : lines) {
        const QString text = line.kind == DiffLine::Gap ? line.text : LineMark(line.kind) + line.text;
        html += QStringLiteral("<div style=\"%1\">%2</div>")
                    .arg(QLatin1String(LineStyle(line.kind)),
                         text.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;")));
    }
    return html + QStringLiteral("</pre>");
}

void ChangesView::Show(const RunChanges &changes)
{
    Forget();
    for (const QString &written : changes.writtenFiles)
        files_ << LoadChangedFile(changes.projectDirectory, written);

    ToolkitWindow *window = ui_.OpenWindow(ChangesWindow, 960, 640, QStringLiteral("Changes"),
                                           WindowSystemMenu | WindowMinimize | WindowMaximize | WindowSizeable,
                                           MainWindow);
    fileList_ = new QListWidget;
    for (const ChangedFile &file : files_)
        fileList_->addItem(QFileInfo(file.path).fileName()
                           + (file.isNew ? QStringLiteral("  (no backup copy)") : QString()));
    renameList_ = new QListWidget;
    FillRenames(changes.renames);
    text_ = new QTextBrowser;
    text_->setLineWrapMode(QTextEdit::NoWrap);
    text_->setFont(QFont(QStringLiteral("monospace")));

    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(Captioned(QStringLiteral("Files written by the run"), fileList_));
    left->addWidget(Captioned(QStringLiteral("Renamed (bound in Search and Replace)"), renameList_));
    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(Captioned(QStringLiteral("Backup copy → new text"), text_));
    split->setSizes({340, 620});
    window->setCentralWidget(split);
    QObject::connect(fileList_, &QListWidget::currentRowChanged, fileList_, [this](int row) { ShowFile(row); });
    ui_.CloseOnEscape(ChangesWindow);
    fileList_->setCurrentRow(files_.isEmpty() ? -1 : 0);
    if (files_.isEmpty())
        text_->setHtml(QStringLiteral("<p>The last run wrote no file.</p>"));
    window->show();
}

void ChangesView::FillRenames(const QList<NamePair> &renames)
{
    for (const NamePair &pair : renames) {
        renameList_->addItem(QStringLiteral("%1 → %2   (%3 replaced)")
                                 .arg(pair.oldName, pair.newName)
                                 .arg(ReplacedCount(pair.oldName, files_)));
    }
    if (renames.isEmpty())
        renameList_->addItem(QStringLiteral("none"));
}

bool ChangesView::IsOpen() const
{
    return ui_.IsWindow(ChangesWindow);
}

void ChangesView::CloseBox()
{
    Forget();
    ui_.CloseWindow(ChangesWindow);
}

// The window of an earlier run goes away later: its list must no longer show into this view.
void ChangesView::Forget()
{
    if (fileList_)
        QObject::disconnect(fileList_, nullptr, nullptr, nullptr);
    files_.clear();
}

void ChangesView::ShowFile(int row)
{
    if (text_ && row >= 0 && row < files_.size())
        text_->setHtml(DiffHtml(files_.at(row)));
}

QString ChangesView::ShownText() const
{
    return text_ ? text_->toPlainText() : QString();
}

} // namespace quarvel
