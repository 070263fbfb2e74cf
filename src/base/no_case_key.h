// A name as a hash key for the sets and maps that ignore letter case. Two keys are equal
// exactly when QString::compare(..., Qt::CaseInsensitive) finds their names equal: both
// compare the names character by character after simple case folding, which maps one
// character to one (so "ß" and "ẞ" meet, "ı" and "i" stay apart).
#pragma once

#include <QString>
#include <QStringView>

#include <initializer_list>
#include <vector>

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

// The places of names in a list the caller keeps, one place for each name in any letter case,
// for lists of many thousand names. A slot holds the name's hash and its place, 8 bytes: a
// look reads one slot, and the name itself only where the hashes match, where a QSet of
// NoCaseKey reads a key of 40 bytes and its name at each slot it passes. Its table then fits
// the caches the longer.
class NoCaseIndex {
public:
    // Room for count names without growing.
    void reserve(qsizetype count);

    // Notes place for name, unless a name equal to it in any letter case is noted: the place
    // noted for the name, place when it is new. nameAt(p) gives the name noted at place p.
    template <typename NameAt>
    qint32 insert(QStringView name, qint32 place, const NameAt &nameAt)
    {
        if (2 * (size_ + 1) > qsizetype(slots_.size()))
            reserve(2 * (size_ + 1));
        const quint32 hash = HashOf(name);
        const size_t at = SlotOf(name, hash, nameAt);
        if (slots_[at] != 0)
            return PlaceIn(slots_[at]);
        slots_[at] = quint64(hash) << 32 | quint32(place + 1);
        ++size_;
        return place;
    }

    // The place noted for name, -1 for none.
    template <typename NameAt>
    qint32 find(QStringView name, const NameAt &nameAt) const
    {
        return slots_.empty() ? -1 : PlaceIn(slots_[SlotOf(name, HashOf(name), nameAt)]);
    }

private:
    static quint32 HashOf(QStringView name) { return quint32(qHash(NoCaseKey(name), 0)); }
    // The place in a slot; -1 for an empty one.
    static qint32 PlaceIn(quint64 slot) { return qint32(quint32(slot)) - 1; }

    // The slot that holds name, or else the empty one where it goes.
    template <typename NameAt>
    size_t SlotOf(QStringView name, quint32 hash, const NameAt &nameAt) const
    {
        const size_t mask = slots_.size() - 1;
        size_t at = hash & mask;
        while (slots_[at] != 0
               && (quint32(slots_[at] >> 32) != hash || NoCaseKey(nameAt(PlaceIn(slots_[at]))) != NoCaseKey(name)))
            at = (at + 1) & mask;
        return at;
    }

    std::vector<quint64> slots_; // the hash above the place + 1; 0 for an empty slot
    qsizetype size_ = 0;
};

} // namespace quarvel
