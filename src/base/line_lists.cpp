#include "base/line_lists.h"

namespace quarvel {

void AppendSeparator(SourceLineList &target)
{
    target << QString() << QStringLiteral("; ") + QString(87, QLatin1Char('*')) << QString();
}

void SplitTemplate(const QString &templateText, SourceLineList &target)
{
    QString text = templateText;
    text.remove(QLatin1Char('\r'));
    qsizetype begin = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), begin);
        if (lf < 0)
            return;
        target.append(text.mid(begin, lf - begin));
        begin = lf + 1;
    }
}

SourceLineList TakeTrailingCommentLines(SourceLineList &lines)
{
    qsizetype start = lines.size();
    while (start > 0 && lines[start - 1].startsWith(QLatin1Char(';')))
        --start;
    SourceLineList trailer = lines.mid(start);
    lines.resize(start);
    return trailer;
}

} // namespace quarvel
