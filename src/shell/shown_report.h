// Start-up timing hook: with QUARVEL_REPORT_SHOWN set in the environment, the first time a
// top-level window is exposed on screen the program prints "shown <microseconds since the
// epoch>" to stdout and ends at once, without saving settings. bench/ uses it to measure
// the time from launch to the visible main window; unset, it does nothing.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace quarvel {

class ShownReporter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = qobject_cast<QWindow *>(watched);
        if (event->type() == QEvent::Expose && window && window->isExposed()) {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("shown %lld\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }
};

inline void InstallShownReporter(QCoreApplication &app)
{
    if (qEnvironmentVariableIsSet("QUARVEL_REPORT_SHOWN"))
        app.installEventFilter(new ShownReporter(&app));
}

} // namespace quarvel
