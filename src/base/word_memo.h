// What a pass derives from the word before a bracket, derived once for each word as written.
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace quarvel {

// A line's own characters serve as the key of each lookup, so a word met again costs neither
// a copy nor a second derivation; only a new word is copied into the memo.
template <typename T>
class WordMemo {
public:
    template <typename Derive>
    T value(QStringView word, Derive derive)
    {
        auto known = values_.constFind(QString::fromRawData(word.data(), word.size()));
        if (known == values_.cend())
            known = values_.insert(word.toString(), derive(word));
        return *known;
    }

private:
    QHash<QString, T> values_;
};

} // namespace quarvel
