#include "ui/toolkit.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>

#include <png.h>

namespace quarvel {

ToolkitWindow::ToolkitWindow(int number, EventQueue &queue, QWidget *parent)
    : QMainWindow(parent),
      number_(number),
      queue_(queue)
{}

void ToolkitWindow::setWindowDisabled(bool disabled)
{
    disabled_ = disabled;
    // Disabling the QMainWindow itself would disable its child windows as well.
    for (QWidget *part : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!part->isWindow())
            part->setEnabled(!disabled);
    }
}

void ToolkitWindow::closeForGood()
{
    closing_ = true;
    close();
    deleteLater();
}

void ToolkitWindow::closeEvent(QCloseEvent *event)
{
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore(); // the close dispatcher decides
    if (!disabled_)
        queue_.Post({EventKind::CloseWindow, number_});
}

void ToolkitWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    queue_.Post({EventKind::SizeWindow, number_});
}

Toolkit::~Toolkit()
{
    for (const QPointer<ToolkitWindow> &window : std::as_const(windows_))
        delete window.data();
}

ToolkitWindow *Toolkit::OpenWindow(int number, int width, int height, const QString &title, int flags, int parent)
{
    CloseWindow(number);
    ToolkitWindow *owner = Window(parent);
    auto *window = new ToolkitWindow(number, queue_, owner);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    Qt::WindowFlags hints = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
    if (flags & WindowSystemMenu)
        hints |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (flags & WindowMinimize)
        hints |= Qt::WindowMinimizeButtonHint;
    if (flags & WindowMaximize)
        hints |= Qt::WindowMaximizeButtonHint;
    window->setWindowFlags(hints);
    if (flags & WindowModal)
        window->setWindowModality(Qt::ApplicationModal);
    window->setWindowTitle(title);
    auto *content = new QWidget(window);
    window->setCentralWidget(content);
    window->resize(width, height);
    if (!(flags & WindowSizeable))
        window->setFixedSize(width, height);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - QPoint(width / 2, height / 2));
    windows_.insert(number, window);
    return window;
}

ToolkitWindow *Toolkit::Window(int number) const
{
    return windows_.value(number).data();
}

void Toolkit::CloseWindow(int number)
{
    if (ToolkitWindow *window = Window(number))
        window->closeForGood();
    windows_.remove(number);
}

void Toolkit::DisableWindow(int number, bool disabled)
{
    if (ToolkitWindow *window = Window(number))
        window->setWindowDisabled(disabled);
}

bool Toolkit::IsWindowDisabled(int number) const
{
    ToolkitWindow *window = Window(number);
    return window && window->isWindowDisabled();
}

QWidget *Toolkit::Content(int window) const
{
    ToolkitWindow *owner = Window(window);
    return owner ? owner->centralWidget() : nullptr;
}

void Toolkit::Register(int number, int window, QWidget *gadget, const QRect &box)
{
    gadget->setGeometry(box);
    gadget->setProperty("quarvelWindow", window);
    gadgets_.insert(number, gadget);
}

QPushButton *Toolkit::ButtonGadget(int number, int window, const QRect &box, const QString &text)
{
    auto *button = new QPushButton(text, Content(window));
    Register(number, window, button, box);
    QObject::connect(button, &QPushButton::clicked, button,
                     [this, number, window] { queue_.PostGadget(window, number, EventLeftClick); });
    return button;
}

QCheckBox *Toolkit::CheckBoxGadget(int number, int window, const QRect &box, const QString &text)
{
    auto *box_ = new QCheckBox(text, Content(window));
    Register(number, window, box_, box);
    QObject::connect(box_, &QCheckBox::clicked, box_,
                     [this, number, window] { queue_.PostGadget(window, number, EventLeftClick); });
    return box_;
}

QListWidget *Toolkit::ListViewGadget(int number, int window, const QRect &box)
{
    auto *list = new QListWidget(Content(window));
    Register(number, window, list, box);
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [this, number, window] { queue_.PostGadget(window, number, EventLeftClick); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                     [this, number, window] { queue_.PostGadget(window, number, EventLeftDoubleClick); });
    return list;
}

QLabel *Toolkit::TextGadget(int number, int window, const QRect &box, const QString &text)
{
    auto *label = new QLabel(text, Content(window));
    Register(number, window, label, box);
    return label;
}

QWidget *Toolkit::Gadget(int number) const
{
    return gadgets_.value(number).data();
}

QListWidget *Toolkit::ListGadget(int number) const
{
    return qobject_cast<QListWidget *>(Gadget(number));
}

int Toolkit::GetGadgetState(int number) const
{
    auto *box = qobject_cast<QCheckBox *>(Gadget(number));
    return box && box->isChecked() ? 1 : 0;
}

void Toolkit::SetGadgetState(int number, int state)
{
    if (auto *box = qobject_cast<QCheckBox *>(Gadget(number)))
        box->setChecked(state != 0);
}

QAction *Toolkit::MenuItem(QMenu *menu, int window, int command, const QString &text, const QIcon &icon)
{
    QAction *item = menu->addAction(icon, text);
    item->setData(command);
    QObject::connect(item, &QAction::triggered, item, [this, window, command] { queue_.PostMenu(window, command); });
    return item;
}

QAction *Toolkit::ToolBarImageButton(QToolBar *toolBar, int window, int command, const QIcon &icon,
                                     const QString &toolTip)
{
    QAction *button = toolBar->addAction(icon, toolTip);
    button->setToolTip(toolTip);
    button->setData(command);
    QObject::connect(button, &QAction::triggered, button,
                     [this, window, command] { queue_.PostMenu(window, command); });
    return button;
}

void Toolkit::AddKeyboardShortcut(int window, const QKeySequence &keys, int command)
{
    auto *shortcut = new QShortcut(keys, Window(window));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [this, window, command] {
        if (!IsWindowDisabled(window))
            queue_.PostMenu(window, command);
    });
}

void Toolkit::CloseOnEscape(int window)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), Window(window));
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [this, window] {
        if (!IsWindowDisabled(window))
            queue_.Post({EventKind::CloseWindow, window});
    });
}

QImage DecodePng(const QByteArray &bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size())))
        return QImage();
    image.format = PNG_FORMAT_RGBA;
    QImage decoded(int(image.width), int(image.height), QImage::Format_RGBA8888);
    // One byte per component, so the row stride in components is the row length in bytes.
    if (decoded.isNull()
        || !png_image_finish_read(&image, nullptr, decoded.bits(), png_int_32(decoded.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return QImage();
    }
    return decoded;
}

} // namespace quarvel
