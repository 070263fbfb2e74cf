// What the program tells about itself: the Info message, and the Licence window, modal over
// the whole program while a running generation goes on.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QObject>
#include <QPointer>

namespace quarvel {

class Requesters;

class AboutView : public QObject {
    Q_OBJECT
public:
    AboutView(QWidget *owner, Requesters &ask, QIcon licenceIcon);

    void ShowInfo();
    void OpenLicence();
    bool LicenceOpen() const { return !licence_.isNull(); }
    QDialog *licenceWindow() const { return licence_; }
    const QString &InfoText() const { return infoText_; }

signals:
    void licenceClosed();

private:
    QWidget *owner_;
    Requesters &ask_;
    QIcon licenceIcon_;
    QString infoText_;
    QPointer<QDialog> licence_;
};

} // namespace quarvel
