#include "base/unified_diff.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <vector>

namespace quarvel {

namespace {

enum class Op : char { Keep, Remove, Add };

// A file cut into lines; the last line knows whether a line feed ended it.
struct Lines {
    QList<QByteArray> text;
    bool lastHasNewline = true;
};

Lines SplitBytes(const QByteArray &bytes)
{
    Lines lines;
    if (bytes.isEmpty())
        return lines;
    lines.text = bytes.split('\n');
    if (lines.text.last().isEmpty())
        lines.text.removeLast();
    else
        lines.lastHasNewline = false;
    return lines;
}

// Beyond this many differences the changed middle is shown as removed and added as a whole:
// still a correct diff, and the search keeps to bounded memory on wholly rewritten files.
constexpr int MaxSearchedDifferences = 2000;

// The shortest edit script from a to b (Myers' greedy search with its trace kept for the
// way back); empty when it takes more than MaxSearchedDifferences steps.
std::vector<Op> ShortestEdit(const std::vector<int> &a, const std::vector<int> &b)
{
    const int n = int(a.size()), m = int(b.size()), offset = n + m + 1;
    std::vector<int> v(size_t(2 * offset + 1), 0);
    std::vector<std::vector<int>> trace;
    for (int d = 0; d <= std::min(n + m, MaxSearchedDifferences); ++d) {
        trace.emplace_back(v.begin() + offset - d, v.begin() + offset + d + 1);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                  : v[offset + k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[size_t(x)] == b[size_t(y)])
                ++x, ++y;
            v[offset + k] = x;
            if (x < n || y < m)
                continue;
            std::vector<Op> ops;
            for (int step = d; step > 0; --step) {
                const std::vector<int> &prev = trace[size_t(step)]; // the state after step - 1
                const auto at = [&](int kk) { return prev[size_t(kk + step)]; };
                const int kk = x - y;
                const bool down = kk == -step || (kk != step && at(kk - 1) < at(kk + 1));
                const int prevK = down ? kk + 1 : kk - 1;
                const int prevX = at(prevK);
                const int moveEndX = down ? prevX : prevX + 1;
                while (x > moveEndX)
                    ops.push_back(Op::Keep), --x, --y;
                ops.push_back(down ? Op::Add : Op::Remove);
                x = prevX, y = prevX - prevK;
            }
            while (x > 0)
                ops.push_back(Op::Keep), --x;
            std::reverse(ops.begin(), ops.end());
            return ops;
        }
    }
    return {};
}

// The edit script of two line lists: the common head and tail kept, the middle searched.
std::vector<Op> EditScript(const Lines &before, const Lines &after)
{
    QHash<QByteArray, int> ids;
    const auto idsOf = [&ids](const Lines &lines) {
        std::vector<int> out;
        out.reserve(size_t(lines.text.size()));
        for (const QByteArray &line : lines.text) {
            auto id = ids.constFind(line);
            if (id == ids.constEnd())
                id = ids.insert(line, int(ids.size()));
            out.push_back(*id);
        }
        return out;
    };
    std::vector<int> a = idsOf(before), b = idsOf(after);
    // A last line without its line feed differs from the same text with one.
    if (!before.lastHasNewline && !a.empty())
        a.back() = -1 - a.back();
    if (!after.lastHasNewline && !b.empty())
        b.back() = -1 - b.back();
    size_t head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    size_t tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    const std::vector<int> midA(a.begin() + long(head), a.end() - long(tail));
    const std::vector<int> midB(b.begin() + long(head), b.end() - long(tail));
    std::vector<Op> middle = ShortestEdit(midA, midB);
    if (middle.empty()) {
        middle.assign(midA.size(), Op::Remove);
        middle.insert(middle.end(), midB.size(), Op::Add);
    }
    std::vector<Op> ops(head, Op::Keep);
    ops.insert(ops.end(), middle.begin(), middle.end());
    ops.insert(ops.end(), tail, Op::Keep);
    return ops;
}

QByteArray Range(int start, int count)
{
    // An empty range names the line before it.
    return QByteArray::number(count == 0 ? start : start + 1) + ',' + QByteArray::number(count);
}

struct Hunk {
    size_t first, last; // ops[first, last)
};

// Runs of changes with three lines of context, joined when their contexts touch.
QList<Hunk> Hunks(const std::vector<Op> &ops)
{
    constexpr size_t context = 3;
    QList<Hunk> hunks;
    for (size_t i = 0; i < ops.size(); ++i) {
        if (ops[i] == Op::Keep)
            continue;
        size_t end = i;
        while (end < ops.size() && ops[end] != Op::Keep)
            ++end;
        const size_t first = i >= context ? i - context : 0;
        const size_t last = std::min(ops.size(), end + context);
        if (!hunks.isEmpty() && first <= hunks.last().last)
            hunks.last().last = last;
        else
            hunks.append({first, last});
        i = end - 1;
    }
    return hunks;
}

} // namespace

QByteArray UnifiedDiff(const QString &relativePath, const QByteArray &before, const QByteArray &after, bool created)
{
    if (before == after && !created)
        return {};
    const Lines a = SplitBytes(before), b = SplitBytes(after);
    const std::vector<Op> ops = EditScript(a, b);
    const QByteArray path = relativePath.toUtf8();
    QByteArray out = (created ? QByteArray("--- /dev/null\n") : "--- a/" + path + '\n') + "+++ b/" + path + '\n';
    const auto line = [&out](char sign, const Lines &lines, int index) {
        out += sign + lines.text[index] + '\n';
        if (index == lines.text.size() - 1 && !lines.lastHasNewline)
            out += "\\ No newline at end of file\n";
    };
    // Positions in a and b at the start of every op.
    std::vector<int> posA(ops.size() + 1, 0), posB(ops.size() + 1, 0);
    for (size_t i = 0; i < ops.size(); ++i) {
        posA[i + 1] = posA[i] + (ops[i] != Op::Add);
        posB[i + 1] = posB[i] + (ops[i] != Op::Remove);
    }
    for (const Hunk &hunk : Hunks(ops)) {
        out += "@@ -" + Range(posA[hunk.first], posA[hunk.last] - posA[hunk.first]) + " +"
               + Range(posB[hunk.first], posB[hunk.last] - posB[hunk.first]) + " @@\n";
        for (size_t i = hunk.first; i < hunk.last; ++i) {
            if (ops[i] == Op::Keep)
                line(' ', a, posA[i]);
            else if (ops[i] == Op::Remove)
                line('-', a, posA[i]);
            else
                line('+', b, posB[i]);
        }
    }
    return out;
}

} // namespace quarvel
