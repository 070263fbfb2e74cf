// Requesters for tests: every call is recorded as "Kind title: text", answers come from
// queues the test fills beforehand. An unscripted question answers No, an unscripted file
// requester is cancelled.
#pragma once

#include "model/requesters.h"

#include <QList>
#include <QQueue>
#include <functional>

namespace quarvel {

class ScriptedRequesters : public Requesters {
public:
    void MessageOk(const QString &title, const QString &text) override
    {
        calls << QStringLiteral("Message ") + title + QStringLiteral(": ") + text;
        if (onMessage)
            onMessage();
    }
    Answer Question(const QString &title, const QString &text, bool withCancel) override
    {
        calls << QStringLiteral("Question ") + title + QStringLiteral(": ") + text;
        return answers.isEmpty() ? Answer::No : answers.dequeue();
    }
    QString InputText(const QString &title, const QString &message, const QString &defaultText) override
    {
        calls << QStringLiteral("Input ") + title + QStringLiteral(": ") + defaultText;
        inputMessages << message;
        return inputs.isEmpty() ? QString() : inputs.dequeue();
    }
    QStringList OpenFiles(const QString &title, const QString &initialPath, const QString &patterns,
                          bool multiple) override
    {
        calls << QStringLiteral("Open ") + title + QStringLiteral(": ") + initialPath + QStringLiteral(" [") + patterns
                     + (multiple ? QStringLiteral("] multiple") : QStringLiteral("]"));
        return openAnswers.isEmpty() ? QStringList() : openAnswers.dequeue();
    }
    QString SaveFile(const QString &title, const QString &initialPath, const QString &patterns) override
    {
        calls << QStringLiteral("Save ") + title + QStringLiteral(": ") + initialPath + QStringLiteral(" [") + patterns
                     + QLatin1Char(']');
        return saveAnswers.isEmpty() ? QString() : saveAnswers.dequeue();
    }

    QStringList calls;
    QQueue<Answer> answers;
    QQueue<QString> inputs;
    QStringList inputMessages; // the label of each input box, in order
    QQueue<QStringList> openAnswers;
    QQueue<QString> saveAnswers;
    std::function<void()> onMessage; // runs inside a message box, as a nested loop would
};

} // namespace quarvel
