// A name as a hash key for the sets and maps that ignore letter case. Two keys are equal
// exactly when QString::compare(..., Qt::CaseInsensitive) finds their names equal: both
// compare the names character by character after simple case folding, which maps one
// character to one (so "ß" and "ẞ" meet, "ı" and "i" stay apart).
#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>

namespace quarvel {

class NoCaseKey {
public:
    NoCaseKey() = default;
    // The key views the name, which must outlive it.
    explicit NoCaseKey(QStringView name) : text_(name) {}
    // A key that shares the string's characters (no copy), for names that may change or go
    // away while the key is kept.
    static NoCaseKey Holding(const QString &name);

    QStringView text() const { return text_; }

    friend bool operator==(const NoCaseKey &a, const NoCaseKey &b);
    friend bool operator!=(const NoCaseKey &a, const NoCaseKey &b) { return !(a == b); }
    friend size_t qHash(const NoCaseKey &key, size_t seed) noexcept;

private:
    QString held_;     // the name a holding key shares
    QStringView text_; // the name, or held_
};

// The hash qHash(NoCaseKey(joined)) gives the text the pieces make one after the other, without
// joining them; no surrogate pair may be split between two pieces.
size_t NoCaseHash(std::initializer_list<QStringView> pieces, size_t seed) noexcept;

} // namespace quarvel
