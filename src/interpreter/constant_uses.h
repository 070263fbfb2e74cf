// The second walk of the prefix pass: every use of an object's constant named after its window.
#pragma once

#include "interpreter/object_names.h"
#include "interpreter/windows_of_code.h"

namespace quarvel::prefixes {

// Gives every use of an object's constant in the lines before end the name of its window, by
// what the first walk learnt; a run stopped by a #PB_Any window qualifies the lines it has
// passed. The declaring lines follow their lines' changes.
void QualifyConstantUses(PrefixPass &g, const WindowsOfCode &code, qsizetype end, DeclaringLines &declaring);

} // namespace quarvel::prefixes
