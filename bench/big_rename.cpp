// The desktop program's big rename, timed: 20,000 gadgets, 2,000 renamed, a thousand warnings
// a run (tests/support drives it; the suite checks the event loop never waits long). Prints
// one line of JSON: milliseconds of each step the user waits for.
#include "support/big_rename.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    quarvel::DesktopFixture desktop;
    const quarvel::BigRenameTimes t = quarvel::DriveBigRename(desktop, dir.path() + QLatin1Char('/'), 200, 100);
    std::printf("{\"firstRun\": %lld, \"dialogShown\": %lld, \"bindSuggested\": %lld, \"suggested\": %d, "
                "\"changesShown\": %lld, \"changesFilled\": %lld, \"largestShown\": %lld, \"previewShown\": %lld, "
                "\"longestHold\": %lld, \"runHold\": %lld, \"warnings\": %d}\n",
                t.firstRun, t.dialogShown, t.bindSuggested, t.suggested, t.changesShown, t.changesFilled,
                t.largestShown, t.previewShown, t.longestHold, t.runHold, t.warnings);
    return t.suggested == 2000 && t.warnings == 2 * quarvel::DuplicateMenuItems ? 0 : 1;
}
