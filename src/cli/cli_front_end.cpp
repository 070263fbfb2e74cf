#include "cli/cli_front_end.h"

#include "update/bind_dialog_model.h"

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace quarvel {

CliFrontEnd::CliFrontEnd(QList<BindOption> binds, bool keepUnbound, FILE *out, FILE *err)
    : binds_(std::move(binds)),
      keepUnbound_(keepUnbound),
      bindSeen_(binds_.size(), false),
      err_(err)
{
    SetLog(out, false);
}

// A log read in a terminal shows each line at once; one going to a pipe or a file is written
// a buffer at a time, since a write a line costs a large project more than its generation.
void CliFrontEnd::SetLog(FILE *log, bool quiet)
{
    log_ = log;
    logToTerminal_ = isatty(fileno(log)) != 0;
    quiet_ = quiet;
}

namespace {

// The name as an entry of a dialog may differ from a mistyped one by a "#" or letter case.
bool NamesEntry(const QStringList &entries, const QString &name)
{
    const QString bare = name.startsWith(QLatin1Char('#')) ? name.mid(1) : name;
    for (const QString &entry : entries)
        if (entry.compare(bare, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// What --quiet keeps: the lines that say something went wrong, how the run ended, and the
// report after "Ready.".
bool WorthTellingQuietly(LogKind kind)
{
    switch (kind) {
    case LogKind::Warning:
    case LogKind::Error:
    case LogKind::Ready:
    case LogKind::Cancel: return true;
    case LogKind::Plain:
    case LogKind::FileWritten:
    case LogKind::Finding: break;
    }
    return false;
}

} // namespace

void CliFrontEnd::AppendLogLine(const LogEntry &entry)
{
    const bool shown = !quiet_ || afterReady_ || WorthTellingQuietly(entry.kind);
    afterReady_ = afterReady_ || entry.kind == LogKind::Ready;
    if (!shown)
        return;
    const QByteArray bytes = entry.text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), log_);
    if (logToTerminal_)
        std::fflush(log_);
}

void PrintCommandLineError(FILE *err, const QString &text)
{
    // The log written so far goes out first, so that both keep their order in one stream.
    std::fflush(nullptr);
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
    const BindDialogModel offered = dialog;
    for (qsizetype i = 0; i < binds_.size(); ++i) {
        const BindOption &bind = binds_[i];
        dialog.SelectOld(int(dialog.OldEntries().indexOf(bind.first)));
        dialog.SelectNew(int(dialog.NewEntries().indexOf(bind.second)));
        if (dialog.BindSelected()) {
            bindSeen_[i] = true;
        } else if (!(offered.OldEntries().contains(bind.first) && offered.NewEntries().contains(bind.second))
                   && (NamesEntry(offered.OldEntries(), bind.first) || NamesEntry(offered.NewEntries(), bind.second))) {
            PrintMisfit(bind, offered);
            bindSeen_[i] = true;
        }
    }
    const BindDialogEnd end = dialog
                                  .ContinueBinding([this](const QString &, const QString &) {
                                      return keepUnbound_ ? Answer::Yes : Answer::Cancel;
                                  })
                                  .value_or(BindDialogEnd::Cancel);
    if (end == BindDialogEnd::Cancel)
        PrintUnbound(dialog);
    return dialog.AnswerWith(end);
}

void CliFrontEnd::PrintMisfit(const BindOption &bind, const BindDialogModel &dialog)
{
    PrintError(QStringLiteral("--bind ") + bind.first + QLatin1Char('=') + bind.second
               + QStringLiteral(" does not fit the ") + ObjectKindName(dialog.Kind())
               + QStringLiteral(" names on offer:"));
    const auto names = [](const QStringList &entries) {
        return entries.isEmpty() ? QStringLiteral("(none)") : entries.join(QStringLiteral(", "));
    };
    PrintError(QStringLiteral("  old: ") + names(dialog.OldEntries()));
    PrintError(QStringLiteral("  new: ") + names(dialog.NewEntries()));
}

void CliFrontEnd::ReportUnmatchedBinds()
{
    for (qsizetype i = 0; i < binds_.size(); ++i)
        if (!bindSeen_[i])
            PrintError(QStringLiteral("--bind ") + binds_[i].first + QLatin1Char('=') + binds_[i].second
                       + QStringLiteral(": no such names were on offer in this run."));
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
