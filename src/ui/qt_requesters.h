// The requesters as Qt dialogs. While one is open the event queue keeps handing the
// generation worker's requests to the shell, so a run is never held up by a message box.
#pragma once

#include "model/requesters.h"

class QWidget;

namespace quarvel {

class EventQueue;
class Toolkit;

class QtRequesters : public Requesters {
public:
    QtRequesters(Toolkit &toolkit, EventQueue &queue) : toolkit_(toolkit), queue_(queue) {}

    void MessageOk(const QString &title, const QString &text) override;
    Answer Question(const QString &title, const QString &text, bool withCancel) override;
    QString InputText(const QString &title, const QString &message, const QString &defaultText) override;
    QStringList OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                          bool multiple) override;
    QString SaveFile(const QString &title, const QString &initialPath, const QString &patterns) override;

private:
    QWidget *Owner() const;

    Toolkit &toolkit_;
    EventQueue &queue_;
};

// "label|pattern|label|pattern" as a Qt name filter list: "label (pattern);;...". A label that
// already shows its pattern in brackets is taken as it is.
QString QtNameFilters(const QString &patterns);

} // namespace quarvel
