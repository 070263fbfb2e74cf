// The toolkit layer: windows, gadgets and menu commands known by their fixed numbers, mapped to
// Qt objects. Every Qt signal the shell cares about becomes an event in the EventQueue.
#pragma once

#include "ui/event_queue.h"

#include <QHash>
#include <QIcon>
#include <QMainWindow>
#include <QPointer>

class QAction;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QToolBar;

namespace quarvel {

enum WindowFlag : int {
    WindowSystemMenu = 1, // title bar and close button
    WindowMinimize = 2,
    WindowMaximize = 4,
    WindowSizeable = 8,
    WindowModal = 16, // no other window of the program takes input while it is open
};

// A numbered window. Its close box and its resizing become events; a disabled window takes no
// input and ignores its close box, while its child windows stay usable.
class ToolkitWindow : public QMainWindow {
public:
    ToolkitWindow(int number, EventQueue &queue, QWidget *parent);

    int number() const { return number_; }
    bool isWindowDisabled() const { return disabled_; }
    void setWindowDisabled(bool disabled);
    void closeForGood();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int number_;
    EventQueue &queue_;
    bool disabled_ = false;
    bool closing_ = false;
};

class Toolkit {
public:
    explicit Toolkit(EventQueue &queue) : queue_(queue) {}
    ~Toolkit();

    EventQueue &queue() { return queue_; }

    // Opens window number with the given inner size, centred on the screen. parent -1 = none.
    ToolkitWindow *OpenWindow(int number, int width, int height, const QString &title, int flags, int parent = -1);
    ToolkitWindow *Window(int number) const;
    bool IsWindow(int number) const { return Window(number) != nullptr; }
    void CloseWindow(int number);
    void DisableWindow(int number, bool disabled);
    bool IsWindowDisabled(int number) const;

    // Gadgets are placed at absolute positions inside their window's content area.
    QPushButton *ButtonGadget(int number, int window, const QRect &box, const QString &text);
    QCheckBox *CheckBoxGadget(int number, int window, const QRect &box, const QString &text);
    QListWidget *ListViewGadget(int number, int window, const QRect &box);
    QLabel *TextGadget(int number, int window, const QRect &box, const QString &text);
    QWidget *Gadget(int number) const;
    QListWidget *ListGadget(int number) const;
    int GetGadgetState(int number) const;
    void SetGadgetState(int number, int state);

    // A menu item or toolbar button sending command number to window's event queue.
    QAction *MenuItem(QMenu *menu, int window, int command, const QString &text, const QIcon &icon);
    QAction *ToolBarImageButton(QToolBar *toolBar, int window, int command, const QIcon &icon, const QString &toolTip);
    void AddKeyboardShortcut(int window, const QKeySequence &keys, int command);
    // Escape in the window acts as its close box.
    void CloseOnEscape(int window);

private:
    QWidget *Content(int window) const;
    void Register(int number, int window, QWidget *gadget, const QRect &box);

    EventQueue &queue_;
    QHash<int, QPointer<ToolkitWindow>> windows_;
    QHash<int, QPointer<QWidget>> gadgets_;
};

// Decodes PNG bytes with libpng into an RGBA image; a null image when they are no PNG.
QImage DecodePng(const QByteArray &bytes);

} // namespace quarvel
