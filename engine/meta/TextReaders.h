#pragma once
#include <iosfwd>

#include "meta/Variant.h"
#include "platform/Export.h"

// Readers of the text format: the deserialize functions the type records
// hold. A line-form reader is entered after the member's " : " separator
// word; the block reader after the block's "{". A value that does not parse
// or an early end of the stream fails the stream (see FailRead), so every
// reader above stops; the value is then left unchanged.
namespace META {

// One number; "nan" and "inf" are accepted, as the writer never produces them.
TW_API std::istream& ReadFloat(std::istream& stream, Variant value, bool archetype);
// One signed 32-bit integer ("int", "ShapeType").
TW_API std::istream& ReadInt(std::istream& stream, Variant value, bool archetype);
// "0" or "1".
TW_API std::istream& ReadBool(std::istream& stream, Variant value, bool archetype);
// One unsigned 32-bit integer; a minus sign does not parse.
TW_API std::istream& ReadUnsigned(std::istream& stream, Variant value, bool archetype);
TW_API std::istream& ReadUnsignedLong(std::istream& stream, Variant value, bool archetype);
// Skips exactly one character (the blank after ":"), then takes the rest of
// the line, blanks included. A line that ends right after ":" gives "".
TW_API std::istream& ReadString(std::istream& stream, Variant value, bool archetype);
// Skips one character, then reads words up to the first one without a
// trailing comma; the rest of the line is skipped. Never reads past the
// line end, so an empty list reads back empty.
TW_API std::istream& ReadStringList(std::istream& stream, Variant value, bool archetype);
// Reads one word and keeps nothing.
TW_API std::istream& ReadMat4(std::istream& stream, Variant value, bool archetype);

// Reads "name : value" lines into the record's members until "}". A member
// the record lacks is skipped with the rest of its line, and with the block
// that follows it, nested blocks included.
TW_API std::istream& ReadBlock(std::istream& stream, Variant value, bool archetype);

}  // namespace META
