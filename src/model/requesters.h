// The requesters the project commands and the shell ask the user through: message boxes, a
// one-line input box and the file requesters. The desktop program answers them with dialogs,
// tests with scripted answers.
#pragma once

#include "model/answer.h"

#include <QString>
#include <QStringList>

namespace quarvel {

class Requesters {
public:
    virtual ~Requesters() = default;

    // A message with a single OK button; returns when the user confirms.
    virtual void MessageOk(const QString &title, const QString &text) = 0;
    // A question with Yes and No (and Cancel when withCancel). Closing the box counts as the
    // last button.
    virtual Answer Question(const QString &title, const QString &text, bool withCancel = false) = 0;
    // A one-line text input; the empty text when cancelled.
    virtual QString InputText(const QString &title, const QString &message, const QString &defaultText) = 0;
    // The chosen files, empty when cancelled. patterns is "label|pattern|label|pattern...".
    virtual QStringList OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                                  bool multiple) = 0;
    // The chosen path, empty when cancelled.
    virtual QString SaveFile(const QString &title, const QString &initialPath, const QString &patterns) = 0;
};

} // namespace quarvel
