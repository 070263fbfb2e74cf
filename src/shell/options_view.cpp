#include "shell/options_view.h"

#include "model/project_state.h"
#include "project/project_commands.h"
#include "shell/dialogs/window_numbers.h"
#include "ui/toolkit.h"

#include <QCheckBox>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace quarvel {

namespace {

using SwitchField = decltype(Switches::Parend) Switches::*; // every switch has one type

enum class Column { Left, Right };

constexpr int LeftX = 10;
constexpr int RightX = 230;
constexpr int BoxWidth = 200;

// One check box and the switch it sets; switching it on turns the excluded switch off.
struct SwitchBox {
    int gadget;
    SwitchField field;
    Column column;
    int y;
    const char *text;
    SwitchField excludes = nullptr;
};

// Images carried in the program and zeroed image gadgets exclude each other.
const SwitchBox Boxes[] = {
    {ParendBox, &Switches::Parend, Column::Left, 10, "First Window as Parend Window"},
    {PBIgnoreBox, &Switches::PB_Ignore, Column::Left, 40, "Windowposition Auto (PB_Ignore)"},
    {MultilangBox, &Switches::Multilang, Column::Left, 70, "Multi Language"},
    {ImageIncludeBox, &Switches::Image_Include, Column::Left, 100, "Images Include", &Switches::Image_Null},
    {ImageNullBox, &Switches::Image_Null, Column::Left, 130, "ImageGadget set Zero", &Switches::Image_Include},
    {UseCallFastBox, &Switches::UseCallFast, Column::Right, 10, "Call Event Fast"},
    {Utf8Box, &Switches::Utf8, Column::Right, 40, "Fileformat UTF8"},
};

const SwitchBox *BoxOf(int gadget)
{
    const auto found = std::find_if(std::begin(Boxes), std::end(Boxes),
                                    [gadget](const SwitchBox &box) { return box.gadget == gadget; });
    return found == std::end(Boxes) ? nullptr : found;
}

const SwitchBox &BoxOf(SwitchField field)
{
    return *std::find_if(std::begin(Boxes), std::end(Boxes),
                         [field](const SwitchBox &box) { return box.field == field; });
}

} // namespace

OptionsView::OptionsView(Toolkit &ui, ProjectState &project, ProjectCommands &commands, QIcon startIcon)
    : ui_(ui),
      project_(project),
      commands_(commands),
      startIcon_(std::move(startIcon))
{}

bool OptionsView::Open()
{
    if (IsOpen() || !commands_.GenerationGuard())
        return false;
    ui_.OpenWindow(OptionsWindow, 600, 200, QStringLiteral("Start Generate"), WindowSystemMenu, MainWindow);
    // The texts keep their places, unless a wider font needs more room: then the right
    // column moves over, so no text is cut.
    int leftWidth = BoxWidth;
    for (const SwitchBox &box : Boxes) {
        QCheckBox *check = ui_.CheckBoxGadget(box.gadget, OptionsWindow,
                                              QRect(box.column == Column::Left ? LeftX : RightX, box.y, BoxWidth, 20),
                                              QString::fromUtf8(box.text));
        if (box.column == Column::Left)
            leftWidth = qMax(leftWidth, check->sizeHint().width());
    }
    const int rightX = qMax(RightX, LeftX + leftWidth + 10);
    for (const SwitchBox &box : Boxes) {
        QWidget *check = ui_.Gadget(box.gadget);
        const bool left = box.column == Column::Left;
        check->setGeometry(left ? LeftX : rightX, box.y, qMax(BoxWidth, left ? leftWidth : check->sizeHint().width()),
                           20);
        ui_.SetGadgetState(box.gadget, project_.switches.*box.field);
    }
    QPushButton *start = ui_.ButtonGadget(StartButton, OptionsWindow, QRect(10, 160, 120, 30), QStringLiteral("Start"));
    start->setDefault(true);
    start->setIcon(startIcon_);
    opened_ = project_.switches;
    openedSaved_ = project_.ProjectSaved;
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), ui_.Window(OptionsWindow));
    // Queued, as the window and this shortcut go with it.
    QObject::connect(
        escape, &QShortcut::activated, this,
        [this] {
            if (IsOpen() && !ui_.IsWindowDisabled(OptionsWindow))
                Cancel();
        },
        Qt::QueuedConnection);
    ui_.Window(OptionsWindow)->show();
    return true;
}

void OptionsView::Close()
{
    ui_.CloseWindow(OptionsWindow);
}

bool OptionsView::IsOpen() const
{
    return ui_.IsWindow(OptionsWindow);
}

void OptionsView::GadgetEvent(int gadget, int type)
{
    if (type != EventLeftClick)
        return;
    if (gadget == StartButton && IsOpen())
        emit startClicked();
    else
        SwitchClicked(gadget);
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
    project_.switches = opened_;
    project_.ProjectSaved = openedSaved_;
    CloseBox();
}

void OptionsView::SetRunning(bool running)
{
    running_ = running;
    if (running)
        ui_.DisableWindow(OptionsWindow, true);
}

void OptionsView::SwitchClicked(int gadget)
{
    const SwitchBox *box = BoxOf(gadget);
    // A click still queued when the run took the window away changes nothing.
    if (!box || !IsOpen() || running_)
        return;
    Switches &switches = project_.switches;
    const bool on = ui_.GetGadgetState(gadget) != 0;
    switches.*box->field = on;
    if (on && box->excludes) {
        switches.*box->excludes = false;
        ui_.SetGadgetState(BoxOf(box->excludes).gadget, 0);
    }
    project_.ProjectSaved = false;
}

} // namespace quarvel
