#pragma once
#include <iosfwd>

#include "meta/Variant.h"
#include "platform/Export.h"

// Writers of the text format: the serialize functions the type records hold.
// A line-form writer puts the value and the line end after the "name : " its
// caller wrote; the block writer writes a whole block at the given depth.
namespace META {

// `depth` tabs.
TW_API void WriteIndent(std::ostream& stream, unsigned depth);

// Six significant digits as the stream's default formatting gives them. A NaN
// is first replaced by 0 and an infinity by 2147483648, in the value itself.
TW_API std::ostream& WriteFloat(std::ostream& stream, Variant value, unsigned depth);
TW_API std::ostream& WriteInt(std::ostream& stream, Variant value, unsigned depth);
// "0" or "1".
TW_API std::ostream& WriteBool(std::ostream& stream, Variant value, unsigned depth);
// 32-bit unsigned ("UINT32", "unsigned", "unsigned int").
TW_API std::ostream& WriteUnsigned(std::ostream& stream, Variant value, unsigned depth);
// 32-bit unsigned ("unsigned long", "ObjectID").
TW_API std::ostream& WriteUnsignedLong(std::ostream& stream, Variant value, unsigned depth);
// The text unchanged.
TW_API std::ostream& WriteString(std::ostream& stream, Variant value, unsigned depth);
// The items joined by ", ", then one blank.
TW_API std::ostream& WriteStringList(std::ostream& stream, Variant value, unsigned depth);
// Matrices are not stored: "<NULL>".
TW_API std::ostream& WriteMat4(std::ostream& stream, Variant value, unsigned depth);

// The type name, "{", one line (or nested block) per member in name order at
// depth + 1, "}". Members whose type has no writer are left out.
TW_API std::ostream& WriteBlock(std::ostream& stream, Variant value, unsigned depth);

}  // namespace META
