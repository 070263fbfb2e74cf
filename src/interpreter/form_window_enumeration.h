// The form designer's "Enumeration FormWindow" blocks, kept in the common file, declare window
// constants that Quarvel's own window enumeration declares too; both must give them one value.
#pragma once

namespace quarvel {

struct GenerationContext;

// A named enumeration goes on counting from block to block, while Quarvel numbers every window
// in the order it is opened. A window without a FormWindow entry (one held in a variable, one
// of a hand-written file) opened before a block's window would leave the block's count behind,
// so it gets an entry in that block, in front of the window it precedes. Projects whose counts
// already agree are left exactly as they are.
void AlignFormWindowEnumeration(GenerationContext &g);

} // namespace quarvel
