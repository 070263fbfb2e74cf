#include "ui/qt_requesters.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace quarvel {

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
    return active ? active : owner_ ? owner_() : nullptr;
}

void QtRequesters::MessageOk(const QString &title, const QString &text)
{
    QMessageBox::information(Owner(), title, text, QMessageBox::Ok);
}

Answer QtRequesters::Question(const QString &title, const QString &text, bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, title, text, buttons, Owner());
    // Named here rather than by the platform theme, which translates some buttons and not others.
    box.button(QMessageBox::Yes)->setText(tr("&Yes"));
    box.button(QMessageBox::No)->setText(tr("&No"));
    if (withCancel)
        box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString QtRequesters::InputText(const QString &title, const QString &message, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(Owner(), title, message, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

QStringList QtRequesters::OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                                    bool multiple)
{
    const QString filters = QtNameFilters(patterns);
    if (multiple)
        return QFileDialog::getOpenFileNames(Owner(), title, initialPath, filters);
    const QString path = QFileDialog::getOpenFileName(Owner(), title, initialPath, filters);
    return path.isEmpty() ? QStringList() : QStringList{path};
}

QString QtRequesters::SaveFile(const QString &title, const QString &initialPath, const QString &patterns)
{
    // The overwrite question is the project command's own.
    return QFileDialog::getSaveFileName(Owner(), title, initialPath, QtNameFilters(patterns), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace quarvel
