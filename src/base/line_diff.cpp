#include "base/line_diff.h"

#include <vector>

namespace quarvel {

namespace {

struct Span {
    const QStringList &lines;
    qsizetype from;
    qsizetype count;
    const QString &at(qsizetype i) const { return lines.at(from + i); }
};

// Beyond this many edits a changed middle is shown as removed and added whole: still a correct
// diff, and the search, which keeps every step, stays within bounded memory on a wholly
// rewritten file.
constexpr qsizetype MaxEdits = 2000;

// Myers' greedy search. trace[d] holds, for the diagonals k = -d..d, the furthest x reached
// with d edits; the edit script is read back from it. Empty when the texts differ too much.
using Trace = std::vector<std::vector<qsizetype>>;

qsizetype Furthest(const Trace &trace, qsizetype d, qsizetype k)
{
    return d < 0 ? 0 : trace[size_t(d)][size_t(k + d)];
}

bool GoesDown(const Trace &trace, qsizetype d, qsizetype k)
{
    return k == -d || (k != d && Furthest(trace, d - 1, k - 1) < Furthest(trace, d - 1, k + 1));
}

Trace ForwardTrace(const Span &a, const Span &b)
{
    const qsizetype n = a.count, m = b.count;
    Trace trace;
    for (qsizetype d = 0; d <= qMin(n + m, MaxEdits); ++d) {
        trace.emplace_back(size_t(2 * d + 1), 0);
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = d == 0                  ? 0
                          : GoesDown(trace, d, k) ? Furthest(trace, d - 1, k + 1)
                                                  : Furthest(trace, d - 1, k - 1) + 1;
            qsizetype y = x - k;
            while (x < n && y < m && a.at(x) == b.at(y))
                ++x, ++y;
            trace.back()[size_t(k + d)] = x;
            if (x >= n && y >= m)
                return trace;
        }
    }
    return {};
}

QList<DiffLine> Replaced(const Span &a, const Span &b)
{
    QList<DiffLine> lines;
    for (qsizetype i = 0; i < a.count; ++i)
        lines.append({DiffLine::Removed, a.at(i)});
    for (qsizetype i = 0; i < b.count; ++i)
        lines.append({DiffLine::Added, b.at(i)});
    return lines;
}

QList<DiffLine> Backtrack(const Span &a, const Span &b, const Trace &trace)
{
    if (trace.empty())
        return Replaced(a, b);
    QList<DiffLine> reversed;
    qsizetype x = a.count, y = b.count;
    for (qsizetype d = qsizetype(trace.size()) - 1; d > 0; --d) {
        const qsizetype k = x - y;
        const bool down = GoesDown(trace, d, k);
        const qsizetype prevK = down ? k + 1 : k - 1;
        const qsizetype prevX = Furthest(trace, d - 1, prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY)
            reversed.append({DiffLine::Same, a.at(--x)}), --y;
        if (down)
            reversed.append({DiffLine::Added, b.at(--y)});
        else
            reversed.append({DiffLine::Removed, a.at(--x)});
    }
    while (x > 0 && y > 0)
        reversed.append({DiffLine::Same, a.at(--x)}), --y;
    return {reversed.crbegin(), reversed.crend()};
}

// "start,count" of a hunk side; an empty side names the line before it, as patch expects.
QString Range(qsizetype start, qsizetype count)
{
    return QStringLiteral("%1,%2").arg(count == 0 ? start - 1 : start).arg(count);
}

QString HunkHeader(qsizetype beforeStart, qsizetype beforeCount, qsizetype afterStart, qsizetype afterCount)
{
    return QStringLiteral("@@ -") + Range(beforeStart, beforeCount) + QStringLiteral(" +")
           + Range(afterStart, afterCount) + QStringLiteral(" @@");
}

} // namespace

QList<DiffLine> DiffLines(const QStringList &before, const QStringList &after)
{
    // The common head and tail are kept as they are, so the search only sees the changed middle.
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const Span a{before, head, before.size() - head - tail};
    const Span b{after, head, after.size() - head - tail};

    QList<DiffLine> lines;
    for (qsizetype i = 0; i < head; ++i)
        lines.append({DiffLine::Same, before[i]});
    lines << Backtrack(a, b, ForwardTrace(a, b));
    for (qsizetype i = before.size() - tail; i < before.size(); ++i)
        lines.append({DiffLine::Same, before[i]});
    return lines;
}

QList<DiffLine> UnifiedDiff(const QStringList &before, const QStringList &after, int context)
{
    const QList<DiffLine> all = DiffLines(before, after);
    // Each line is shown when a change lies within context lines of it.
    QList<bool> shown(all.size(), false);
    for (qsizetype i = 0; i < all.size(); ++i) {
        if (all[i].kind == DiffLine::Same)
            continue;
        for (qsizetype j = qMax<qsizetype>(0, i - context); j <= qMin(all.size() - 1, i + context); ++j)
            shown[j] = true;
    }
    QList<DiffLine> result;
    qsizetype beforeLine = 1, afterLine = 1;
    for (qsizetype i = 0; i < all.size();) {
        if (!shown[i]) {
            beforeLine += all[i].kind != DiffLine::Added;
            afterLine += all[i].kind != DiffLine::Removed;
            ++i;
            continue;
        }
        qsizetype end = i, beforeCount = 0, afterCount = 0;
        for (; end < all.size() && shown[end]; ++end) {
            beforeCount += all[end].kind != DiffLine::Added;
            afterCount += all[end].kind != DiffLine::Removed;
        }
        result.append({DiffLine::Gap, HunkHeader(beforeLine, beforeCount, afterLine, afterCount)});
        result << all.mid(i, end - i);
        beforeLine += beforeCount;
        afterLine += afterCount;
        i = end;
    }
    return result;
}

} // namespace quarvel
