#include "update/naming_rules.h"

#include <QHash>

namespace quarvel {

namespace {

// A naming rule: the name an earlier version gave the object this version calls name, whose
// window part is window (empty when the name has none); empty when the rule does not apply.
using EarlierName = QString (*)(const QString &name, QStringView window);

// Every use of an object takes its window's name as a prefix; a status bar, for one, did not.
QString WithoutWindowPrefix(const QString &name, QStringView window)
{
    return window.isEmpty() ? QString() : name.mid(window.size() + 1);
}

// Each rule Quarvel's names have gained, one line each.
constexpr EarlierName NamingRules[] = {
    WithoutWindowPrefix,
};

// The one name of old that name has under the rules; empty for none, or for two.
QString EarlierNameOf(const QString &name, QStringView window, const QSet<QString> &old)
{
    QString found;
    for (const EarlierName rule : NamingRules) {
        const QString earlier = rule(name, window);
        if (earlier.isEmpty() || earlier == found || !old.contains(earlier))
            continue;
        if (!found.isEmpty())
            return QString();
        found = earlier;
    }
    return found;
}

} // namespace

qsizetype LongestWindowPrefix(const QString &name, const QSet<QString> &windows)
{
    for (qsizetype u = name.lastIndexOf(QLatin1Char('_')); u > 0; u = name.lastIndexOf(QLatin1Char('_'), u - 1)) {
        if (windows.contains(name.left(u)))
            return u;
    }
    return 0;
}

void BindByNamingRules(ObjectKind kind, const QSet<QString> &windows, QStringList &unboundOld, QStringList &unboundNew,
                       BindingList &bindings)
{
    if (unboundOld.isEmpty() || unboundNew.isEmpty())
        return;
    const QSet<QString> old(unboundOld.cbegin(), unboundOld.cend());
    // The old name each new name has under the rules, and how many new names claim each old
    // one: a pair is bound only when both sides are sure (one window's "Status" and another's
    // both becoming "<window>_Status" is for the user to sort out).
    QHash<QString, QString> earlierOf;
    QHash<QString, int> claims;
    for (const QString &name : unboundNew) {
        // A window's own name has no window part.
        const qsizetype windowPart = kind == ObjectKind::Window ? 0 : LongestWindowPrefix(name, windows);
        const QString earlier = EarlierNameOf(name, QStringView(name).left(windowPart), old);
        if (earlier.isEmpty())
            continue;
        earlierOf.insert(name, earlier);
        ++claims[earlier];
    }
    if (earlierOf.isEmpty())
        return;
    QSet<QString> boundOld;
    QStringList leftNew;
    for (const QString &name : std::as_const(unboundNew)) {
        const auto earlier = earlierOf.constFind(name);
        if (earlier == earlierOf.cend() || claims.value(*earlier) != 1) {
            leftNew.append(name);
            continue;
        }
        bindings.append(ConstantBinding{*earlier, name, kind, true});
        boundOld.insert(*earlier);
    }
    unboundNew = leftNew;
    unboundOld.removeIf([&](const QString &name) { return boundOld.contains(name); });
}

} // namespace quarvel
