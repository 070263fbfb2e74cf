// What the desktop program does around its window before and after it runs: it says plainly
// when there is no display to open one on, it speaks the system's language, and it ends at
// once when the user quits.
#pragma once

class QApplication;

namespace quarvel {

// The exit status when no display can be opened: the same as a usage error of quarvel-gen.
inline constexpr int NoDisplayExit = 2;

// From here until the application object exists, a failure to reach a display ends the
// program with a message on stderr that points to quarvel-gen, and NoDisplayExit.
void ExitPlainlyWithoutDisplay();

// The program's own texts and Qt's in the language of the system's locale, when there is a
// translation for it.
void InstallTranslations(QApplication &app);

// The window is gone and the settings are saved, but a background reader is still going (the
// Project view's dry run, the Changes view's comparison): it writes nothing, so the process
// ends without waiting for it.
[[noreturn]] void EndNow();

} // namespace quarvel
