#include "cli_front_end.h"

namespace quarvel {

QString BindKindName(int kind)
{
    static const char *const names[] = {"Window", "MenuBar", "MenuItem", "StatusBar", "ToolBar", "Gadget"};
    return kind >= 1 && kind <= 6 ? QLatin1String(names[kind - 1]) : QString();
}

CliFrontEnd::CliFrontEnd(QList<BindOption> binds, bool keepUnbound, FILE *out, FILE *err)
    : binds_(std::move(binds)), keepUnbound_(keepUnbound), out_(out), err_(err)
{
}

void CliFrontEnd::AppendLogLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out_);
    std::fflush(out_);
}

void CliFrontEnd::PrintError(const QString &text)
{
    const QByteArray bytes = QByteArrayLiteral("quarvel-gen: ") + text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), err_);
    std::fflush(err_);
}

void CliFrontEnd::ShowMessage(const QString &title, const QString &text)
{
    PrintError(title + QStringLiteral(": ") + text);
}

// Each --bind whose OLD and NEW are both still on offer binds them, in command-line order,
// exactly as Bind in the dialog would: a bound name leaves its list.
BindDialogAnswer CliFrontEnd::OpenBindDialog(const BindDialogRequest &request)
{
    QStringList oldNames = request.unboundOld;
    QStringList newNames = request.unboundNew;
    BindDialogAnswer answer;
    for (const BindOption &bind : binds_) {
        if (!oldNames.contains(bind.first) || !newNames.contains(bind.second))
            continue;
        oldNames.removeOne(bind.first);
        newNames.removeOne(bind.second);
        answer.todo.append(bind.first + QStringLiteral(" > ") + bind.second);
    }
    if (oldNames.isEmpty() || keepUnbound_) {
        answer.result = 0;
        return answer;
    }
    const QString kind = BindKindName(request.kind);
    PrintError(kind + QStringLiteral(" names without a binding:"));
    for (const QString &name : oldNames)
        PrintError(QStringLiteral("  old: ") + name);
    for (const QString &name : newNames)
        PrintError(QStringLiteral("  new: ") + name);
    PrintError(QStringLiteral("bind them with --bind OLD=NEW, or go on with --keep-unbound."));
    answer.result = 2;
    return answer;
}

} // namespace quarvel
