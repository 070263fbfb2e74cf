#include "model/switches.h"

namespace quarvel {

const std::array<const char *, Switches::Count> &Switches::Names()
{
    static const std::array<const char *, Count> names = {"Parend",     "PB_Ignore",   "Multilang", "Image_Include",
                                                          "Image_Null", "UseCallFast", "Utf8"};
    return names;
}

bool &Switches::at(int index)
{
    bool *fields[Count] = {&Parend, &PB_Ignore, &Multilang, &Image_Include, &Image_Null, &UseCallFast, &Utf8};
    return *fields[index];
}

bool Switches::at(int index) const
{
    return const_cast<Switches *>(this)->at(index);
}

bool *Switches::find(const QString &name)
{
    for (int i = 0; i < Count; ++i)
        if (name == QLatin1String(Names()[i]))
            return &at(i);
    return nullptr;
}

} // namespace quarvel
