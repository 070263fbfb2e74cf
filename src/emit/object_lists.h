// The lists of objects the emitters walk: most are lists of names, the gadgets a list of
// records. Reading the name of either in place spares the list of names made for one walk.
#pragma once

#include "model/design_model.h"

namespace quarvel {

inline const QString &NameOf(const QString &name)
{
    return name;
}

inline const QString &NameOf(const GadgetRecord &gadget)
{
    return gadget.name;
}

} // namespace quarvel
