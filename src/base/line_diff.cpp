#include "base/line_diff.h"

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace quarvel {

namespace {

// The lines of both texts as numbers, equal lines with equal numbers: every comparison of the
// search is then one integer compare.
struct NumberedTexts {
    std::vector<int> a;
    std::vector<int> b;
};

NumberedTexts Numbered(const QStringList &before, const QStringList &after)
{
    QHash<QString, int> numbers;
    numbers.reserve(before.size() + after.size());
    const auto number = [&numbers](const QStringList &lines) {
        std::vector<int> numbered;
        numbered.reserve(size_t(lines.size()));
        for (const QString &line : lines) {
            auto known = numbers.constFind(line);
            if (known == numbers.cend())
                known = numbers.insert(line, int(numbers.size()));
            numbered.push_back(*known);
        }
        return numbered;
    };
    NumberedTexts texts;
    texts.a = number(before);
    texts.b = number(after);
    return texts;
}

struct Span {
    const std::vector<int> &lines;
    qsizetype from;
    qsizetype count;
    int at(qsizetype i) const { return lines[size_t(from + i)]; }
    Span part(qsizetype start, qsizetype length) const { return {lines, from + start, length}; }
};

// One step of the edit script: the line of before (Same, Removed) or of after (Added).
struct Edit {
    DiffLine::Kind kind;
    qsizetype line;
};
using Script = std::vector<Edit>;

// Myers' greedy search. trace[d] holds, for the diagonals k = -d..d, the furthest x reached
// with d edits; the edit script is read back from it. Empty when more than maxEdits are
// needed: the search keeps every step, so its memory grows with the square of the edits.
using Trace = std::vector<std::vector<qsizetype>>;

qsizetype Furthest(const Trace &trace, qsizetype d, qsizetype k)
{
    return d < 0 ? 0 : trace[size_t(d)][size_t(k + d)];
}

bool GoesDown(const Trace &trace, qsizetype d, qsizetype k)
{
    return k == -d || (k != d && Furthest(trace, d - 1, k - 1) < Furthest(trace, d - 1, k + 1));
}

Trace ForwardTrace(const Span &a, const Span &b, qsizetype maxEdits)
{
    const qsizetype n = a.count, m = b.count;
    Trace trace;
    for (qsizetype d = 0; d <= qMin(n + m, maxEdits); ++d) {
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

void AppendReplaced(const Span &a, const Span &b, Script &script)
{
    for (qsizetype i = 0; i < a.count; ++i)
        script.push_back({DiffLine::Removed, a.from + i});
    for (qsizetype i = 0; i < b.count; ++i)
        script.push_back({DiffLine::Added, b.from + i});
}

void AppendBacktrack(const Span &a, const Span &b, const Trace &trace, Script &script)
{
    Script reversed;
    qsizetype x = a.count, y = b.count;
    for (qsizetype d = qsizetype(trace.size()) - 1; d > 0; --d) {
        const qsizetype k = x - y;
        const bool down = GoesDown(trace, d, k);
        const qsizetype prevK = down ? k + 1 : k - 1;
        const qsizetype prevX = Furthest(trace, d - 1, prevK), prevY = prevX - prevK;
        while (x > prevX && y > prevY)
            reversed.push_back({DiffLine::Same, a.from + --x}), --y;
        if (down)
            reversed.push_back({DiffLine::Added, b.from + --y});
        else
            reversed.push_back({DiffLine::Removed, a.from + --x});
    }
    while (x > 0 && y > 0)
        reversed.push_back({DiffLine::Same, a.from + --x}), --y;
    script.insert(script.end(), reversed.crbegin(), reversed.crend());
}

// A middle that needs at most this many edits gets the shortest script; past it the middle is
// cut at its anchors first. 20,000 objects renamed in 2,000 places needed minutes before the
// cut; with it the desktop's Changes view diffs the 60,000-line event file in milliseconds.
constexpr qsizetype ShortestEdits = 256;
// Past this many edits, a middle without anchors is shown as removed and added whole: still a
// correct diff, within bounded memory on a wholly rewritten file.
constexpr qsizetype MaxEdits = 2000;
// Anchored parts are cut again at their own anchors this deep at most.
constexpr int MaxDepth = 8;

// The lines that occur once in a and once in b, as (a line, b line) in the order of a, reduced
// to the longest run that is in order in b as well: lines both texts kept, which the script
// must not call changed (patience anchors).
std::vector<std::pair<qsizetype, qsizetype>> Anchors(const Span &a, const Span &b)
{
    struct Seen {
        int inA = 0;
        int inB = 0;
        qsizetype lineA = 0;
        qsizetype lineB = 0;
    };
    std::unordered_map<int, Seen> seen;
    seen.reserve(size_t(a.count + b.count));
    for (qsizetype i = 0; i < a.count; ++i) {
        Seen &s = seen[a.at(i)];
        ++s.inA, s.lineA = i;
    }
    for (qsizetype j = 0; j < b.count; ++j) {
        Seen &s = seen[b.at(j)];
        ++s.inB, s.lineB = j;
    }
    std::vector<std::pair<qsizetype, qsizetype>> unique;
    for (qsizetype i = 0; i < a.count; ++i) {
        const Seen &s = seen[a.at(i)];
        if (s.inA == 1 && s.inB == 1)
            unique.emplace_back(i, s.lineB);
    }
    // The longest increasing run of b lines: tails[l] ends the best run of length l + 1.
    std::vector<size_t> tails, previous(unique.size());
    for (size_t u = 0; u < unique.size(); ++u) {
        const auto place = std::lower_bound(tails.begin(), tails.end(), unique[u].second,
                                            [&unique](size_t t, qsizetype line) { return unique[t].second < line; });
        previous[u] = place == tails.begin() ? SIZE_MAX : *(place - 1);
        if (place == tails.end())
            tails.push_back(u);
        else
            *place = u;
    }
    std::vector<std::pair<qsizetype, qsizetype>> run(tails.size());
    for (size_t u = tails.empty() ? SIZE_MAX : tails.back(), at = run.size(); u != SIZE_MAX; u = previous[u])
        run[--at] = unique[u];
    return run;
}

void AppendDiff(const Span &a, const Span &b, int depth, Script &script);

// The middle cut at its anchors, each part between two anchors diffed on its own.
bool AppendAnchored(const Span &a, const Span &b, int depth, Script &script)
{
    const std::vector<std::pair<qsizetype, qsizetype>> anchors = Anchors(a, b);
    if (anchors.empty())
        return false;
    qsizetype x = 0, y = 0;
    for (const auto &[i, j] : anchors) {
        AppendDiff(a.part(x, i - x), b.part(y, j - y), depth + 1, script);
        script.push_back({DiffLine::Same, a.from + i});
        x = i + 1, y = j + 1;
    }
    AppendDiff(a.part(x, a.count - x), b.part(y, b.count - y), depth + 1, script);
    return true;
}

void AppendDiff(const Span &a, const Span &b, int depth, Script &script)
{
    // The common head and tail are kept as they are, so the search only sees the changed middle.
    qsizetype head = 0;
    while (head < a.count && head < b.count && a.at(head) == b.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < a.count - head && tail < b.count - head && a.at(a.count - 1 - tail) == b.at(b.count - 1 - tail))
        ++tail;
    const Span middleA = a.part(head, a.count - head - tail);
    const Span middleB = b.part(head, b.count - head - tail);

    for (qsizetype i = 0; i < head; ++i)
        script.push_back({DiffLine::Same, a.from + i});
    if (const Trace trace = ForwardTrace(middleA, middleB, ShortestEdits);
        !trace.empty() || middleA.count == 0 || middleB.count == 0) {
        if (trace.empty())
            AppendReplaced(middleA, middleB, script);
        else
            AppendBacktrack(middleA, middleB, trace, script);
    } else if (depth >= MaxDepth || !AppendAnchored(middleA, middleB, depth, script)) {
        if (const Trace deep = ForwardTrace(middleA, middleB, MaxEdits); !deep.empty())
            AppendBacktrack(middleA, middleB, deep, script);
        else
            AppendReplaced(middleA, middleB, script);
    }
    for (qsizetype i = a.count - tail; i < a.count; ++i)
        script.push_back({DiffLine::Same, a.from + i});
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
    const NumberedTexts texts = Numbered(before, after);
    Script script;
    script.reserve(size_t(qMax(before.size(), after.size())));
    AppendDiff({texts.a, 0, before.size()}, {texts.b, 0, after.size()}, 0, script);
    QList<DiffLine> lines;
    lines.reserve(qsizetype(script.size()));
    for (const Edit &edit : script)
        lines.append({edit.kind, edit.kind == DiffLine::Added ? after.at(edit.line) : before.at(edit.line)});
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
