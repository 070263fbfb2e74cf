#include "shell/dialogs/bind_suggestions.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace quarvel {

namespace {

QString WindowPart(const QString &name)
{
    const qsizetype bar = name.indexOf(QLatin1Char('_'));
    return bar > 0 ? name.left(bar).toUpper() : QString();
}

// Rows of each window, in list order.
QHash<QString, QList<int>> RowsByWindow(const QStringList &names)
{
    QHash<QString, QList<int>> rows;
    for (int row = 0; row < names.size(); ++row)
        rows[WindowPart(names[row])] << row;
    return rows;
}

struct Candidate {
    int distance;
    int oldRow;
    int newRow;
};

// Same window, same count: the i-th old name pairs with the i-th new one (distance -1 sorts
// them before every pair found by edit distance).
void PositionalCandidates(const QStringList &oldNames, const QStringList &newNames, std::vector<Candidate> &out)
{
    const QHash<QString, QList<int>> newRows = RowsByWindow(newNames);
    const QHash<QString, QList<int>> oldRows = RowsByWindow(oldNames);
    for (auto it = oldRows.cbegin(); it != oldRows.cend(); ++it) {
        const QList<int> partners = newRows.value(it.key());
        if (it.key().isEmpty() || partners.size() != it.value().size())
            continue;
        for (int i = 0; i < partners.size(); ++i)
            out.push_back({-1, it.value()[i], partners[i]});
    }
}

// A window part both names share says nothing about how alike the rest is.
QString OwnPart(const QString &name, const QString &otherName)
{
    const QString window = WindowPart(name);
    return !window.isEmpty() && window == WindowPart(otherName) ? name.mid(window.size() + 1) : name;
}

void NearestCandidates(const QStringList &oldNames, const QStringList &newNames, std::vector<Candidate> &out)
{
    for (int o = 0; o < oldNames.size(); ++o) {
        for (int n = 0; n < newNames.size(); ++n) {
            const QString a = OwnPart(oldNames[o], newNames[n]), b = OwnPart(newNames[n], oldNames[o]);
            const int distance = EditDistance(a, b);
            if (2 * qsizetype(distance) <= qMax(a.size(), b.size()))
                out.push_back({distance, o, n});
        }
    }
}

} // namespace

int EditDistance(const QString &a, const QString &b)
{
    const QString x = a.toUpper(), y = b.toUpper();
    std::vector<int> row(size_t(y.size() + 1));
    for (size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j - 1)] + 1, diagonal + (x[i - 1] == y[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row.back();
}

QList<SuggestedPair> SuggestPairs(const QStringList &oldNames, const QStringList &newNames)
{
    std::vector<Candidate> candidates;
    PositionalCandidates(oldNames, newNames, candidates);
    NearestCandidates(oldNames, newNames, candidates);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return a.distance < b.distance; });
    QList<bool> oldUsed(oldNames.size(), false), newUsed(newNames.size(), false);
    QList<SuggestedPair> pairs;
    for (const Candidate &c : candidates) {
        if (oldUsed[c.oldRow] || newUsed[c.newRow])
            continue;
        oldUsed[c.oldRow] = newUsed[c.newRow] = true;
        pairs.append({c.oldRow, c.newRow});
    }
    std::sort(pairs.begin(), pairs.end(),
              [](const SuggestedPair &a, const SuggestedPair &b) { return a.oldRow < b.oldRow; });
    return pairs;
}

} // namespace quarvel
