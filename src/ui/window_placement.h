// A window's remembered size and place fitted to the screen it opens on: settings written on a
// larger screen, or at another scale, would otherwise put its title bar out of reach.
#pragma once

#include <QRect>

class QWidget;

namespace quarvel {

// frame moved and shrunk as little as it takes to lie inside available.
QRect FitOnScreen(const QRect &frame, const QRect &available);

// Fits the window's frame to the available part of its screen; a maximized or full-screen
// window is left to the window system.
void KeepOnScreen(QWidget &window);

} // namespace quarvel
