#pragma once
#include <iosfwd>

#include "meta/Variant.h"

// The text functions of the "Object" record: an object block with its name
// and one block per component.
std::ostream& WriteObjectBlock(std::ostream& stream, Variant value, unsigned depth);
std::istream& ReadObjectBlock(std::istream& stream, Variant value, bool archetype);
