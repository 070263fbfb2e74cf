// A name as a hash key that equals another exactly when LowerCase of the two names is equal,
// for sets and maps that ignore letter case. Plain ASCII names, nearly all of them, are hashed
// and compared folding A-Z on the way, without building a lower-cased copy; any other name
// is lower-cased once, through LowerCase, so the rare Unicode cases match as before.
#pragma once

#include <QString>
#include <QStringView>

namespace quarvel {

class LowerCaseKey {
public:
    LowerCaseKey() = default;
    // The key views the name, which must outlive it.
    explicit LowerCaseKey(QStringView name);

    QStringView text() const { return text_; }

    friend bool operator==(const LowerCaseKey &a, const LowerCaseKey &b);
    friend bool operator!=(const LowerCaseKey &a, const LowerCaseKey &b) { return !(a == b); }
    friend size_t qHash(const LowerCaseKey &key, size_t seed) noexcept;

private:
    void LowerIfBeyondAscii();

    QString held_;     // the lower-cased copy of a name that is not plain ASCII
    QStringView text_; // what is hashed and compared: the name or held_
};

} // namespace quarvel
