// The picture of one window (preview_layout) on the screen, scaled down to fit. Gadgets whose
// place is not a number are drawn hatched. Clicking a gadget selects it; a double-click asks
// for its code. It is a view, not an editor.
#pragma once

#include "shell/preview_layout.h"

#include <QList>
#include <QRect>
#include <QStringList>
#include <QWidget>

namespace quarvel {

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
