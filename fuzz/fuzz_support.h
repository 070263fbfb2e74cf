// Shared pieces of the fuzz targets: a front-end that forgets everything and a scratch folder
// that lives as long as the fuzzing process.
#pragma once

#include "model/front_end.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// The entry libFuzzer calls with each input; every target defines it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace quarvel::fuzz {

class SilentFrontEnd : public FrontEnd {
public:
    void RunStarted() override {}
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &) override { return {}; }
    void CloseBindDialog() override {}
    void AppendLogLine(const LogEntry &) override {}
    void RunFinished(const RunResult &) override {}
    void ShowMessage(const QString &, const QString &) override {}
    void ClearLog() override {}
};

// Binds each old name the dialog lists to the new name listed beside it, and goes on.
class BindingFrontEnd : public SilentFrontEnd {
public:
    BindDialogAnswer OpenBindDialog(const BindDialogRequest &request) override
    {
        BindDialogAnswer answer{BindDialogEnd::Continue, {}};
        for (qsizetype i = 0; i < qMin(request.unboundOld.size(), request.unboundNew.size()); ++i)
            answer.bindings.append({request.unboundOld[i], request.unboundNew[i]});
        return answer;
    }
};

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// One folder per process, removed at exit. Ends with "/".
inline const QString &ScratchDirectory()
{
    static QTemporaryDir dir;
    static const QString path = dir.path() + QLatin1Char('/');
    return path;
}

inline void WriteScratchFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

} // namespace quarvel::fuzz
