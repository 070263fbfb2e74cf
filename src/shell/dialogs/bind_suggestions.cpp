#include "shell/dialogs/bind_suggestions.h"

#include <QHash>

#include <algorithm>
#include <vector>

namespace quarvel {

namespace {

// Edit distances are only worked out within a window whose old and new names make at most
// this many pairs, so the work stays linear in the names: a window of 2,000 renamed gadgets
// took seconds of the desktop's time before. (Such a window pairs its names by position.)
constexpr qsizetype MaxPairsCompared = 4096;

// A name upper-cased once, split at its window part (before the first "_").
struct Name {
    QString whole;
    QString window; // empty when the name has no window part
    QString own;    // past the window part; the whole name when it has none
};

Name Split(const QString &name)
{
    Name split{name.toUpper(), QString(), QString()};
    const qsizetype bar = split.whole.indexOf(QLatin1Char('_'));
    split.window = bar > 0 ? split.whole.left(bar) : QString();
    split.own = bar > 0 ? split.whole.mid(bar + 1) : split.whole;
    return split;
}

std::vector<Name> SplitAll(const QStringList &names)
{
    std::vector<Name> split;
    split.reserve(size_t(names.size()));
    for (const QString &name : names)
        split.push_back(Split(name));
    return split;
}

// Rows of each window, in list order.
QHash<QString, QList<int>> RowsByWindow(const std::vector<Name> &names)
{
    QHash<QString, QList<int>> rows;
    for (int row = 0; row < int(names.size()); ++row)
        rows[names[size_t(row)].window] << row;
    return rows;
}

struct Candidate {
    int distance;
    int oldRow;
    int newRow;
};

int UpperEditDistance(const QString &x, const QString &y)
{
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

class Candidates {
public:
    Candidates(const QStringList &oldNames, const QStringList &newNames)
        : old_(SplitAll(oldNames)),
          new_(SplitAll(newNames)),
          oldRows_(RowsByWindow(old_)),
          newRows_(RowsByWindow(new_))
    {}

    // Same window, same count: the i-th old name pairs with the i-th new one (distance -1 sorts
    // them before every other pair).
    void ByPosition()
    {
        for (auto it = oldRows_.cbegin(); it != oldRows_.cend(); ++it) {
            const QList<int> partners = newRows_.value(it.key());
            if (it.key().isEmpty() || partners.size() != it.value().size())
                continue;
            for (int i = 0; i < partners.size(); ++i)
                found_.push_back({-1, it.value()[i], partners[i]});
        }
    }

    // A renamed window: the names keep what follows the window part. Paired when that part is
    // one name's alone on both sides.
    void ByOwnPart()
    {
        QHash<QString, int> oldByOwn = UniqueOwnParts(old_), newByOwn = UniqueOwnParts(new_);
        for (auto it = oldByOwn.cbegin(); it != oldByOwn.cend(); ++it) {
            const int newRow = newByOwn.value(it.key(), -1);
            if (it.value() >= 0 && newRow >= 0)
                found_.push_back({0, it.value(), newRow});
        }
    }

    // Within a window, the nearest name when at most half of the longer one differs; the
    // window part both share says nothing about how alike the rest is.
    void ByEditDistance()
    {
        for (auto it = oldRows_.cbegin(); it != oldRows_.cend(); ++it) {
            const QList<int> partners = newRows_.value(it.key());
            if (it.value().size() * partners.size() > MaxPairsCompared)
                continue;
            for (const int o : it.value()) {
                for (const int n : partners) {
                    const QString &a = old_[size_t(o)].own, &b = new_[size_t(n)].own;
                    const int distance = UpperEditDistance(a, b);
                    if (2 * qsizetype(distance) <= qMax(a.size(), b.size()))
                        found_.push_back({distance, o, n});
                }
            }
        }
    }

    // The best candidate of each name wins; ordered by old row.
    QList<SuggestedPair> Chosen()
    {
        std::stable_sort(found_.begin(), found_.end(),
                         [](const Candidate &a, const Candidate &b) { return a.distance < b.distance; });
        std::vector<bool> oldUsed(old_.size(), false), newUsed(new_.size(), false);
        QList<SuggestedPair> pairs;
        for (const Candidate &c : found_) {
            if (oldUsed[size_t(c.oldRow)] || newUsed[size_t(c.newRow)])
                continue;
            oldUsed[size_t(c.oldRow)] = newUsed[size_t(c.newRow)] = true;
            pairs.append({c.oldRow, c.newRow});
        }
        std::sort(pairs.begin(), pairs.end(),
                  [](const SuggestedPair &a, const SuggestedPair &b) { return a.oldRow < b.oldRow; });
        return pairs;
    }

private:
    // Own part -> its row, -1 when more than one name has it. Names without a window part
    // have no own part to share.
    static QHash<QString, int> UniqueOwnParts(const std::vector<Name> &names)
    {
        QHash<QString, int> rows;
        for (int row = 0; row < int(names.size()); ++row) {
            const Name &name = names[size_t(row)];
            if (name.window.isEmpty())
                continue;
            auto known = rows.find(name.own);
            if (known == rows.end())
                rows.insert(name.own, row);
            else
                *known = -1;
        }
        return rows;
    }

    std::vector<Name> old_;
    std::vector<Name> new_;
    QHash<QString, QList<int>> oldRows_;
    QHash<QString, QList<int>> newRows_;
    std::vector<Candidate> found_;
};

} // namespace

int EditDistance(const QString &a, const QString &b)
{
    return UpperEditDistance(a.toUpper(), b.toUpper());
}

QList<SuggestedPair> SuggestPairs(const QStringList &oldNames, const QStringList &newNames)
{
    Candidates candidates(oldNames, newNames);
    candidates.ByPosition();
    candidates.ByOwnPart();
    candidates.ByEditDistance();
    return candidates.Chosen();
}

} // namespace quarvel
