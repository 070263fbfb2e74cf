#include "ui/qt_requesters.h"

#include "ui/event_queue.h"
#include "ui/toolkit.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace quarvel {

namespace {

// Keeps the queue's urgent events flowing while a dialog runs its own loop.
class ModalScope {
public:
    explicit ModalScope(EventQueue &queue) : queue_(queue) { queue_.BeginModal(); }
    ~ModalScope() { queue_.EndModal(); }

private:
    EventQueue &queue_;
};

} // namespace

QString QtNameFilters(const QString &patterns)
{
    const QStringList parts = patterns.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &label = parts[i];
        const QString pattern = parts[i + 1].split(QLatin1Char(';')).join(QLatin1Char(' '));
        filters << (label.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? label
                        : label + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QWidget *QtRequesters::Owner() const
{
    QWidget *active = QApplication::activeWindow();
    return active ? active : toolkit_.Window(0);
}

void QtRequesters::MessageOk(const QString &title, const QString &text)
{
    ModalScope modal(queue_);
    QMessageBox::information(Owner(), title, text, QMessageBox::Ok);
}

Answer QtRequesters::Question(const QString &title, const QString &text, bool withCancel)
{
    ModalScope modal(queue_);
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, title, text, buttons, Owner());
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString QtRequesters::InputText(const QString &title, const QString &message, const QString &defaultText)
{
    ModalScope modal(queue_);
    bool ok = false;
    const QString text = QInputDialog::getText(Owner(), title, message, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QStringList QtRequesters::OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                                    bool multiple)
{
    ModalScope modal(queue_);
    const QString filters = QtNameFilters(patterns);
    if (multiple)
        return QFileDialog::getOpenFileNames(Owner(), title, initialPath, filters);
    const QString path = QFileDialog::getOpenFileName(Owner(), title, initialPath, filters);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString QtRequesters::SaveFile(const QString &title, const QString &initialPath, const QString &patterns)
{
    ModalScope modal(queue_);
    // The overwrite question is the project command's own.
    return QFileDialog::getSaveFileName(Owner(), title, initialPath, QtNameFilters(patterns), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace quarvel
