#include "shell/options_view.h"

#include "project/project_commands.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QPushButton>

#include <functional>

namespace quarvel {

namespace {

using SwitchField = decltype(Switches::Parend) Switches::*; // every switch has one type

// One check box and the switch it sets; switching it on turns the excluded switch off.
struct SwitchBox {
    const char *name;
    SwitchField field;
    int column;
    int row;
    const char *text;
    SwitchField excludes = nullptr;
};

// Images carried in the program and zeroed image gadgets exclude each other.
const SwitchBox Boxes[] = {
    {"ParendBox", &Switches::Parend, 0, 0, "First Window as Parend Window"},
    {"PBIgnoreBox", &Switches::PB_Ignore, 0, 1, "Windowposition Auto (PB_Ignore)"},
    {"MultilangBox", &Switches::Multilang, 0, 2, "Multi Language"},
    {"ImageIncludeBox", &Switches::Image_Include, 0, 3, "Images Include", &Switches::Image_Null},
    {"ImageNullBox", &Switches::Image_Null, 0, 4, "ImageGadget set Zero", &Switches::Image_Include},
    {"UseCallFastBox", &Switches::UseCallFast, 1, 0, "Call Event Fast"},
    {"Utf8Box", &Switches::Utf8, 1, 1, "Fileformat UTF8"},
};

const QSize WindowSize(600, 200);

// Escape takes the switches back; the close box only closes. Closed while a run starts, the
// window waits for the run to take it away.
class OptionsWindow : public QDialog {
public:
    using QDialog::QDialog;
    std::function<void()> escape;
    std::function<void()> closeBox;

protected:
    void reject() override { escape(); }
    void closeEvent(QCloseEvent *event) override
    {
        event->ignore();
        if (isEnabled())
            closeBox();
    }
};

} // namespace

OptionsView::OptionsView(QWidget *owner, ProjectState &project, ProjectCommands &commands, QIcon startIcon)
    : owner_(owner),
      project_(project),
      commands_(commands),
      startIcon_(std::move(startIcon))
{}

QCheckBox *OptionsView::AddBox(int box)
{
    auto *check = new QCheckBox(QString::fromUtf8(Boxes[box].text));
    check->setObjectName(QLatin1String(Boxes[box].name));
    check->setChecked(project_.switches.*Boxes[box].field);
    connect(check, &QCheckBox::clicked, this, [this, box](bool on) { SwitchClicked(box, on); });
    return check;
}

bool OptionsView::Open()
{
    if (IsOpen() || !commands_.GenerationGuard())
        return false;
    auto *window = new OptionsWindow(owner_);
    window->setObjectName(QStringLiteral("OptionsWindow"));
    window->setWindowTitle(QStringLiteral("Start Generate"));
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->setWindowModality(Qt::WindowModal);
    window->escape = [this] { Cancel(); };
    window->closeBox = [this] { CloseBox(); };
    auto *grid = new QGridLayout(window);
    grid->setHorizontalSpacing(20);
    boxes_.clear();
    for (int box = 0; box < int(std::size(Boxes)); ++box) {
        boxes_ << AddBox(box);
        grid->addWidget(boxes_.last(), Boxes[box].row, Boxes[box].column);
    }
    auto *start = new QPushButton(startIcon_, QStringLiteral("Start"));
    start->setObjectName(QStringLiteral("StartButton"));
    start->setDefault(true); // Return starts the run
    start->setMinimumWidth(120);
    connect(start, &QPushButton::clicked, this, [this] {
        if (IsOpen() && !running_)
            emit startClicked();
    });
    grid->setRowStretch(5, 1);
    grid->addWidget(start, 6, 0, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    window->setFixedSize(window->sizeHint().expandedTo(WindowSize));
    window_ = window;
    opened_ = project_.switches;
    openedSaved_ = project_.ProjectSaved;
    window->show();
    start->setFocus();
    return true;
}

void OptionsView::Close()
{
    if (QDialog *window = window_) {
        window_.clear();
        window->hide();
        window->deleteLater();
    }
}

void OptionsView::CloseBox()
{
    Close();
    emit closed();
}

// Escape takes back the switches clicked since the window opened, and with them the mark of
// an unsaved change they made.
void OptionsView::Cancel()
{
    if (!IsOpen() || running_)
        return;
    project_.switches = opened_;
    project_.ProjectSaved = openedSaved_;
    CloseBox();
}

void OptionsView::SetRunning(bool running)
{
    running_ = running;
    if (running && window_)
        window_->setEnabled(false);
}

void OptionsView::SwitchClicked(int box, bool on)
{
    // A click that reaches the window after the run took it over changes nothing.
    if (!IsOpen() || running_)
        return;
    const SwitchBox &clicked = Boxes[box];
    project_.switches.*clicked.field = on;
    if (on && clicked.excludes) {
        project_.switches.*clicked.excludes = false;
        for (int other = 0; other < int(std::size(Boxes)); ++other) {
            if (Boxes[other].field == clicked.excludes)
                boxes_[other]->setChecked(false);
        }
    }
    project_.ProjectSaved = false;
    emit switchesChanged();
}

} // namespace quarvel
