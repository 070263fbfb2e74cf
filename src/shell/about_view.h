// What the program tells about itself: the Info message, and the Licence window (window 4),
// modal over the whole program while the main loop goes on answering a running generation.
#pragma once

#include "shell/dialogs/window_events.h"

#include <QIcon>
#include <QObject>

namespace quarvel {

class Requesters;
class Toolkit;

class AboutView : public QObject, public WindowEvents {
    Q_OBJECT
public:
    AboutView(Toolkit &ui, Requesters &ask, QIcon licenceIcon);

    void ShowInfo();
    void OpenLicence();
    bool LicenceOpen() const;
    const QString &InfoText() const { return infoText_; }

    void GadgetEvent(int, int) override {}
    // The list takes the whole window.
    void Resized() override;
    void CloseBox() override;

signals:
    void licenceClosed();

private:
    Toolkit &ui_;
    Requesters &ask_;
    QIcon licenceIcon_;
    QString infoText_;
};

} // namespace quarvel
