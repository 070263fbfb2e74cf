#include "cli/cli_front_end.h"

#include "update/bind_dialog_model.h"

namespace quarvel {

CliFrontEnd::CliFrontEnd(QList<BindOption> binds, bool keepUnbound, FILE *out, FILE *err)
    : binds_(std::move(binds)), keepUnbound_(keepUnbound), err_(err), log_(out)
{
}

void CliFrontEnd::SetLog(FILE *log, bool quiet)
{
    log_ = log;
    quiet_ = quiet;
}

// What --quiet keeps: the lines that say something went wrong, how the run ended, and the
// report after "Ready.".
static bool WorthTellingQuietly(const QString &text)
{
    return text.contains(QLatin1String("Error")) || text.startsWith(QLatin1String(" -> Warning: "))
           || text == QLatin1String("Ready.") || text == QLatin1String("Cancel.");
}

void CliFrontEnd::AppendLogLine(const QString &text)
{
    const bool shown = !quiet_ || afterReady_ || WorthTellingQuietly(text);
    afterReady_ = afterReady_ || text == QLatin1String("Ready.");
    if (!shown)
        return;
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), log_);
    std::fflush(log_);
}

void PrintCommandLineError(FILE *err, const QString &text)
{
    const QByteArray bytes = QByteArrayLiteral("quarvel-gen: ") + text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), err);
    std::fflush(err);
}

void CliFrontEnd::PrintError(const QString &text)
{
    PrintCommandLineError(err_, text);
}

void CliFrontEnd::ShowMessage(const QString &title, const QString &text)
{
    PrintError(title + QStringLiteral(": ") + text);
}

// Each --bind whose OLD and NEW are both still on offer binds them, in command-line order,
// exactly as Bind in the dialog does. Old names left over end the run unless --keep-unbound
// answers the dialog's question with Yes.
BindDialogAnswer CliFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    BindDialogModel dialog(request);
    for (const BindOption &bind : binds_) {
        dialog.SelectOld(int(dialog.OldEntries().indexOf(bind.first)));
        dialog.SelectNew(int(dialog.NewEntries().indexOf(bind.second)));
        dialog.BindSelected();
    }
    const auto answer = dialog.ContinueBinding([this](const QString &, const QString &) {
        return keepUnbound_ ? Answer::Yes : Answer::Cancel;
    });
    const int result = answer.value_or(BindDialogModel::CancelAnswer);
    if (result == BindDialogModel::CancelAnswer)
        PrintUnbound(dialog);
    return dialog.AnswerWith(result);
}

void CliFrontEnd::PrintUnbound(const BindDialogModel &dialog)
{
    PrintError(ObjectKindName(dialog.Kind()) + QStringLiteral(" names without a binding:"));
    for (const QString &name : dialog.OldEntries())
        PrintError(QStringLiteral("  old: ") + name);
    for (const QString &name : dialog.NewEntries())
        PrintError(QStringLiteral("  new: ") + name);
    PrintError(QStringLiteral("bind them with --bind OLD=NEW, or go on with --keep-unbound."));
}

} // namespace quarvel
