#include "emit/main_window_patch.h"

#include "base/line_scan.h"
#include "model/generation_context.h"

namespace quarvel {

// Keeps Main.pb's first-window lines in step with the design: the placeholder call of the
// template becomes the main window's opening procedure, and the first "If WindowID(#" line
// tests the main window.
void PatchMainOpenWindow(GenerationContext &g)
{
    if (g.model.WindowList.isEmpty()) {
        g.LogLine(QStringLiteral(" -> Warning: No window found, Main.pb not patched."));
        return;
    }
    const QString window = g.model.WindowList.first();
    const QString placeholder = QStringLiteral("Open_WindowXY()");
    const QString call = g.model.FirstWindowOpener.isEmpty() ? QStringLiteral("Open_") + window + QStringLiteral("()")
                                                             : g.model.FirstWindowOpener;

    for (QString &line : g.lines.MainLines) {
        if (FindString(line, placeholder)) {
            line = ReplaceString(line, placeholder, call, true);
            continue;
        }
        if (FindString(line, QStringLiteral("If WindowID(#"))) {
            line = QStringLiteral("  If WindowID(#") + window + QLatin1Char(')');
            return;
        }
    }
}

} // namespace quarvel
