#include "shell/changes_view.h"

#include "base/no_case_key.h"
#include "base/statement_scan.h"
#include "base/text_encoding.h"
#include "pipeline/backup.h"
#include "shell/dialogs/window_numbers.h"
#include "shell/theme_colours.h"
#include "ui/toolkit.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPalette>
#include <QSplitter>
#include <QThread>
#include <QVBoxLayout>

namespace quarvel {

namespace {

QStringList LinesOf(const QString &path)
{
    const std::optional<TextFile> file = ReadTextFile(path);
    return file ? file->lines : QStringList();
}

// Calls found(word) for every whole word of the lines that stands alone or after one "#" that
// is not itself glued to a word or another "#".
template <typename Found>
void ForEachWord(const QStringList &lines, Found found)
{
    for (const QString &line : lines) {
        const qsizetype size = line.size();
        for (qsizetype i = 0; i < size;) {
            if (!IsIdentifierChar(line[i])) {
                ++i;
                continue;
            }
            const qsizetype start = i;
            i = IdentifierEnd(line, i);
            const bool hashed = start > 0 && line[start - 1] == QLatin1Char('#');
            const qsizetype before = hashed ? start - 2 : start - 1;
            if (before < 0 || (!IsIdentifierChar(line[before]) && line[before] != QLatin1Char('#')))
                found(QStringView(line).mid(start, i - start));
        }
    }
}

// Each changed line on a faint band of its colour, so that it reads in a light and a dark style.
std::optional<ThemeRole> RoleOf(DiffLine::Kind kind)
{
    switch (kind) {
    case DiffLine::Added: return ThemeRole::Success;
    case DiffLine::Removed: return ThemeRole::Error;
    case DiffLine::Gap: return ThemeRole::Warning;
    case DiffLine::Same: break;
    }
    return std::nullopt;
}

QChar LineMark(DiffLine::Kind kind)
{
    return kind == DiffLine::Added ? QLatin1Char('+') : kind == DiffLine::Removed ? QLatin1Char('-') : QLatin1Char(' ');
}

QWidget *Captioned(const QString &caption, QWidget *content, QWidget *below = nullptr)
{
    auto *box = new QWidget;
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *label = new QLabel(caption);
    label->setBuddy(content);
    content->setAccessibleName(caption);
    layout->addWidget(label);
    layout->addWidget(content);
    if (below)
        layout->addWidget(below);
    return box;
}

QString FileItemText(const ChangedFile &file)
{
    return QFileInfo(file.path).fileName() + (file.isNew ? QStringLiteral("  (no backup copy)") : QString());
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

QList<int> ReplacedCounts(const QList<NamePair> &renames, const QList<ChangedFile> &files)
{
    QHash<NoCaseKey, qsizetype> rowOf;
    for (qsizetype row = 0; row < renames.size(); ++row)
        rowOf.insert(NoCaseKey(renames[row].oldName), row);
    QList<int> counts(renames.size(), 0);
    for (const ChangedFile &file : files) {
        QList<int> before(renames.size(), 0), after(renames.size(), 0);
        const auto counter = [&rowOf](QList<int> &into) {
            return [&rowOf, &into](QStringView word) {
                const auto row = rowOf.constFind(NoCaseKey(word));
                if (row != rowOf.cend())
                    ++into[*row];
            };
        };
        ForEachWord(file.before, counter(before));
        ForEachWord(file.after, counter(after));
        for (qsizetype row = 0; row < renames.size(); ++row)
            counts[row] += qMax(0, before[row] - after[row]);
    }
    return counts;
}

LoadedChanges LoadChanges(const RunChanges &changes)
{
    LoadedChanges loaded;
    for (const QString &written : changes.writtenFiles) {
        loaded.files << LoadChangedFile(changes.projectDirectory, written);
        loaded.differences << UnifiedDiff(loaded.files.last().before, loaded.files.last().after);
    }
    loaded.replaced = ReplacedCounts(changes.renames, loaded.files);
    return loaded;
}

void DifferenceModel::Show(QList<DiffLine> lines, const QString &note)
{
    beginResetModel();
    lines_ = std::move(lines);
    note_ = note;
    endResetModel();
}

int DifferenceModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return lines_.isEmpty() ? (note_.isEmpty() ? 0 : 1) : int(lines_.size());
}

QString DifferenceModel::RowText(qsizetype row) const
{
    if (lines_.isEmpty())
        return note_;
    const DiffLine &line = lines_.at(row);
    return line.kind == DiffLine::Gap ? line.text : LineMark(line.kind) + line.text;
}

QVariant DifferenceModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const DiffLine::Kind kind = lines_.isEmpty() ? DiffLine::Same : lines_.at(index.row()).kind;
    switch (role) {
    case Qt::DisplayRole: return RowText(index.row());
    case Qt::BackgroundRole: {
        const std::optional<ThemeRole> role = RoleOf(kind);
        return role ? QVariant(ThemeBand(QPalette(), *role)) : QVariant();
    }
    default: return {};
    }
}

QString DifferenceModel::Text() const
{
    QStringList rows;
    for (int row = 0; row < rowCount(); ++row)
        rows << RowText(row);
    return rows.join(QLatin1Char('\n'));
}

ChangesView::~ChangesView()
{
    Forget();
    for (const QPointer<QThread> &load : loads_) {
        if (load)
            load->wait();
    }
}

void ChangesView::Show(const RunChanges &changes)
{
    Forget();
    fileCount_ = changes.writtenFiles.size();
    renames_ = changes.renames;

    ToolkitWindow *window = ui_.OpenWindow(ChangesWindow, 960, 640, QStringLiteral("Changes"),
                                           WindowSystemMenu | WindowMinimize | WindowMaximize | WindowSizeable,
                                           MainWindow);
    fileList_ = new QListWidget;
    for (const QString &written : changes.writtenFiles)
        fileList_->addItem(QFileInfo(written).fileName());
    renameList_ = new QListWidget;
    FillRenames(renames_, {});
    text_ = new QListView;
    text_->setModel(&difference_);
    text_->setUniformItemSizes(true);
    text_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    text_->setTextElideMode(Qt::ElideNone);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    busy_ = new QProgressBar;
    busy_->setRange(0, 0); // no end known: a busy bar
    busy_->setTextVisible(false);
    busy_->setAccessibleName(QStringLiteral("Reading the files of the run"));

    auto *left = new QSplitter(Qt::Vertical);
    left->addWidget(Captioned(QStringLiteral("Files written by the run"), fileList_));
    left->addWidget(Captioned(QStringLiteral("Renamed (bound in Search and Replace)"), renameList_));
    auto *split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(Captioned(QStringLiteral("Backup copy → new text"), text_, busy_));
    split->setSizes({340, 620});
    window->setCentralWidget(split);
    QObject::connect(fileList_, &QListWidget::currentRowChanged, fileList_, [this](int row) { ShowFile(row); });
    ui_.CloseOnEscape(ChangesWindow);
    difference_.Show({}, changes.writtenFiles.isEmpty() ? QStringLiteral("The last run wrote no file.")
                                                        : QStringLiteral("Reading the files of the run…"));
    window->show();

    // The files of a big run take a while to read and compare: the window stays responsive.
    auto result = std::make_shared<LoadedChanges>();
    QThread *load = QThread::create([result, changes] { *result = LoadChanges(changes); });
    const int showing = showing_;
    QObject::connect(
        load, &QThread::finished, window,
        [this, result, showing] {
            if (showing == showing_)
                Fill(std::move(*result));
        },
        Qt::QueuedConnection);
    QObject::connect(load, &QThread::finished, load, &QObject::deleteLater);
    loads_.emplace_back(load);
    load->start();
}

void ChangesView::Fill(LoadedChanges loaded)
{
    changes_ = std::move(loaded);
    loaded_ = true;
    if (busy_)
        busy_->hide();
    if (fileList_) {
        for (qsizetype row = 0; row < changes_.files.size() && row < fileList_->count(); ++row)
            fileList_->item(int(row))->setText(FileItemText(changes_.files.at(row)));
    }
    if (renameList_)
        FillRenames(renames_, changes_.replaced);
    if (changes_.files.isEmpty())
        difference_.Show({}, QStringLiteral("The last run wrote no file."));
    else if (fileList_ && fileList_->currentRow() < 0)
        fileList_->setCurrentRow(0);
    else if (fileList_)
        ShowFile(fileList_->currentRow());
}

void ChangesView::FillRenames(const QList<NamePair> &renames, const QList<int> &replaced)
{
    renameList_->clear();
    for (qsizetype row = 0; row < renames.size(); ++row) {
        const NamePair &pair = renames[row];
        const QString count = row < replaced.size() ? QString::number(replaced[row]) : QStringLiteral("…");
        renameList_->addItem(QStringLiteral("%1 → %2   (%3 replaced)").arg(pair.oldName, pair.newName, count));
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

// The window of an earlier run goes away later: its list must no longer show into this view,
// and a load still going for it is dropped when it ends.
void ChangesView::Forget()
{
    if (fileList_)
        QObject::disconnect(fileList_, nullptr, nullptr, nullptr);
    ++showing_;
    fileCount_ = 0;
    renames_.clear();
    changes_ = LoadedChanges();
    loaded_ = false;
    difference_.Show({});
    std::erase_if(loads_, [](const QPointer<QThread> &load) { return load.isNull(); });
}

void ChangesView::ShowFile(int row)
{
    if (!loaded_ || row < 0 || row >= changes_.differences.size())
        return;
    const QList<DiffLine> &lines = changes_.differences.at(row);
    difference_.Show(lines, lines.isEmpty() ? QStringLiteral("No change.") : QString());
}

} // namespace quarvel
