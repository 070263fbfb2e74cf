#include "interpreter/source_constant_values.h"

namespace quarvel {

void SourceConstantValues::insert(const NoCaseKey &name, qint64 value)
{
    lengths_ |= quint64(1) << qMin(name.text().size(), qsizetype(63));
    values_.insert(name, value);
}

std::optional<qint64> SourceConstantValues::value(QStringView name) const
{
    const auto known = values_.constFind(NoCaseKey(name));
    return known == values_.cend() ? std::nullopt : std::optional<qint64>(*known);
}

bool SourceConstantValues::holds(QStringView argument) const
{
    return values_.contains(NoCaseKey(argument.sliced(1, IdentifierEnd(argument, 1) - 1)));
}

} // namespace quarvel
