#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace quarvel {

QRect FitOnScreen(const QRect &frame, const QRect &available)
{
    const QSize size = frame.size().boundedTo(available.size());
    const int x = std::clamp(frame.x(), available.x(), available.x() + available.width() - size.width());
    const int y = std::clamp(frame.y(), available.y(), available.y() + available.height() - size.height());
    return {QPoint(x, y), size};
}

void KeepOnScreen(QWidget &window)
{
    if (window.isMaximized() || window.isFullScreen())
        return;
    const QRect frame = window.frameGeometry();
    const QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window.screen();
    if (!screen)
        return;
    const QRect fitted = FitOnScreen(frame, screen->availableGeometry());
    if (fitted == frame)
        return;
    // The frame adds as much to the fitted size as to the remembered one; move places the frame.
    window.resize(window.size() - (frame.size() - fitted.size()));
    window.move(fitted.topLeft());
}

} // namespace quarvel
