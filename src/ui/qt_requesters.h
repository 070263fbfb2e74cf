// The requesters as Qt dialogs, each transient for the window that asked. A running
// generation goes on while one is open: its requests reach the GUI thread as queued calls,
// which the dialog's own event loop delivers.
#pragma once

#include "model/requesters.h"

#include <QCoreApplication>

#include <functional>

class QWidget;

namespace quarvel {

class QtRequesters : public Requesters {
    Q_DECLARE_TR_FUNCTIONS(QtRequesters)

public:
    // owner gives the window the dialogs belong to when no window of the program is active.
    explicit QtRequesters(std::function<QWidget *()> owner) : owner_(std::move(owner)) {}

    void MessageOk(const QString &title, const QString &text) override;
    // The buttons speak the language of the program's own texts, whatever the question's.
    Answer Question(const QString &title, const QString &text, bool withCancel) override;
    QString InputText(const QString &title, const QString &message, const QString &defaultText) override;
    QStringList OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                          bool multiple) override;
    QString SaveFile(const QString &title, const QString &initialPath, const QString &patterns) override;

private:
    QWidget *Owner() const;

    std::function<QWidget *()> owner_;
};

// "label|pattern|label|pattern" as a Qt name filter list: "label (pattern);;...". A label that
// already shows its pattern in brackets is taken as it is.
QString QtNameFilters(const QString &patterns);

} // namespace quarvel
