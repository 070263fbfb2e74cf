#include "model/log_sink.h"

#include "model/design_model.h"

namespace quarvel {

void WarnAt(LogSink &log, const DesignModel &model, const QString &text, SourceOrigin origin)
{
    log.Warning(text, model.CommonFileList.value(origin.file), origin.line);
}

void WarnAtSourceLine(LogSink &log, const DesignModel &model, const QString &text, qsizetype commonSourceLine)
{
    WarnAt(log, model, text, model.CommonSourceLines.origin(commonSourceLine));
}

void StopAtSourceLine(LogSink &log, const DesignModel &model, const QString &text, qsizetype commonSourceLine)
{
    const SourceOrigin origin = model.CommonSourceLines.origin(commonSourceLine);
    log.Stop({text, LogKind::Error, model.CommonFileList.value(origin.file), origin.line});
}

} // namespace quarvel
