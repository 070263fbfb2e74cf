#include "model/design_model.h"

namespace quarvel {

QString LanguageMap::value(const QString &key) const
{
    const auto it = index_.constFind(key);
    return it == index_.constEnd() ? QString() : values_.at(*it);
}

void LanguageMap::insert(const QString &key, const QString &value)
{
    const auto it = index_.constFind(key);
    if (it != index_.constEnd()) {
        values_[*it] = value;
        return;
    }
    index_.insert(key, keys_.size());
    keys_.append(key);
    values_.append(value);
}

void LanguageMap::clear()
{
    keys_.clear();
    index_.clear();
    values_.clear();
}

void ResetDesignModel(DesignModel &model, OutputLines &lines)
{
    model = DesignModel();
    lines = OutputLines();
}

} // namespace quarvel
