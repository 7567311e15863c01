#include "meta/ObjectText.h"

#include <istream>
#include <ostream>

// Placeholder until the object reader and writer land.
std::ostream& WriteObjectBlock(std::ostream& stream, Variant /*value*/, unsigned /*depth*/) { return stream; }
std::istream& ReadObjectBlock(std::istream& stream, Variant /*value*/, bool /*archetype*/) { return stream; }
