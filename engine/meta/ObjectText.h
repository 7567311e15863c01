#pragma once
#include <iosfwd>
#include <string>

#include "meta/Variant.h"
#include "platform/Export.h"

class Object;

// The text functions of the "Object" record: an object block holds the
// object's name and one block per component, in ascending component type.
TW_API std::ostream& WriteObjectBlock(std::ostream& stream, Variant value, unsigned depth);

// Entered after the object's "{". Without the archetype flag the block's
// components are given to the object itself, which is then told to request
// its resources and initialized; with it they go, silently, to the archetype
// named by the object's archetype name.
TW_API std::istream& ReadObjectBlock(std::istream& stream, Variant value, bool archetype);

// The body of an object block up to and including its "}": "mName" and
// "mID" lines and component blocks. Blocks of components nobody can make are
// skipped and reported; a value that does not parse or an early end of the
// stream stops reading (the stream fails) and gives false.
TW_API bool ReadObjectBody(std::istream& stream, Object& object, bool archetype);
