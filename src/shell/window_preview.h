// A picture of one window drawn from its source: every gadget at its position and size with
// its kind and text, the menu titles, toolbar and status bar as strips. A position or size
// that is not a plain number is never guessed: such gadgets are drawn, hatched and marked, in
// a row under the window. Clicking a gadget selects it; a double-click asks for its code.
// It is a view, not an editor.
#pragma once

#include "model/run_result.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace quarvel {

struct PreviewGadget {
    qsizetype fact = -1; // its index in the run's objects
    QString command;     // "ButtonGadget"
    QString name;        // "#Main_Ok"
    QString text;
    QStringList tabs;
    QRect box;          // in the window's content; for an unplaced gadget, its place in the row
    bool placed = true; // position and size are numbers
};

struct PreviewPicture {
    QString title;
    QSize size;        // the content's size; guessed from the gadgets when not numbers
    bool sized = true; // the window's width and height are numbers
    QStringList menuTitles;
    int toolBarButtons = 0;
    bool statusBar = false;
    QList<PreviewGadget> gadgets; // in creation order: later ones lie on top
};

// The picture of the window facts[window] from the facts of its objects and the lines of its
// source file (for the gadget lists opened and closed, panel tabs and menu titles, which are
// no objects).
PreviewPicture LayOutWindow(const QList<ObjectFact> &facts, qsizetype window, const QStringList &sourceLines);

class WindowPreview : public QWidget {
    Q_OBJECT
public:
    explicit WindowPreview(QWidget *parent = nullptr);

    void ShowPicture(PreviewPicture picture);
    void Clear();
    void Select(qsizetype fact);
    const PreviewPicture &picture() const { return picture_; }
    // The fact of the gadget drawn at a point of the widget; -1 for none.
    qsizetype FactAt(const QPoint &point) const;
    // Where a gadget is drawn in the widget; empty when it is not in the picture.
    QRect BoxOf(qsizetype fact) const;

signals:
    void gadgetClicked(qsizetype fact);
    void gadgetActivated(qsizetype fact);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QTransform ToWidget() const;
    QRect Frame() const; // the window with its strips, in picture coordinates

    PreviewPicture picture_;
    qsizetype selected_ = -1;
};

} // namespace quarvel
