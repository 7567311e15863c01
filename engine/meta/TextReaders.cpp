#include "meta/TextReaders.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "meta/MetaData.h"
#include "meta/TextWords.h"

namespace META {

namespace {

using Traits = std::istream::traits_type;

template <class T>
void Store(void* data, const T& value) {
  if (data != nullptr) std::memcpy(data, &value, sizeof(T));
}

template <class T>
bool Parse(std::string_view text, T& number) {
  // operator>> accepts a leading '+'; keep files written by hand readable.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, number);
  return result.ec == std::errc() && result.ptr == end;
}

// Reads one word as a number of type T into the value.
template <class T>
std::istream& ReadNumber(std::istream& stream, Variant& value, const char* kind) {
  std::string word;
  if (!ReadWord(stream, word)) {
    FailRead(stream, std::string("input ends where ") + kind + " value was expected");
    return stream;
  }
  T number{};
  if (!Parse(word, number)) {
    FailRead(stream, "'" + word + "' is not " + kind + " value");
    return stream;
  }
  Store(value.GetData(), number);
  return stream;
}

// Skips the one character after the separator; false when that was already
// the line end (consumed), or the stream ended.
bool SkipValueLead(std::istream& stream, const char* kind) {
  const Traits::int_type c = stream.get();
  if (Traits::eq_int_type(c, Traits::eof())) {
    FailRead(stream, std::string("input ends where ") + kind + " value was expected");
    return false;
  }
  if (c == '\r' && stream.peek() == '\n') stream.get();
  return c != '\n' && c != '\r';
}

}  // namespace

std::istream& ReadFloat(std::istream& stream, Variant value, bool /*archetype*/) {
  return ReadNumber<float>(stream, value, "a float");
}

std::istream& ReadInt(std::istream& stream, Variant value, bool /*archetype*/) {
  return ReadNumber<std::int32_t>(stream, value, "an integer");
}

std::istream& ReadBool(std::istream& stream, Variant value, bool /*archetype*/) {
  // Like a stream reading a bool: any spelling of the numbers 0 and 1.
  std::int32_t number = -1;
  Variant numberValue(nullptr, &number);
  if (!ReadNumber<std::int32_t>(stream, numberValue, "a bool")) return stream;
  if (number != 0 && number != 1) {
    FailRead(stream, std::to_string(number) + " is not a bool value");
    return stream;
  }
  Store(value.GetData(), number == 1);
  return stream;
}

std::istream& ReadUnsigned(std::istream& stream, Variant value, bool /*archetype*/) {
  return ReadNumber<std::uint32_t>(stream, value, "an unsigned");
}

std::istream& ReadUnsignedLong(std::istream& stream, Variant value, bool archetype) {
  return ReadUnsigned(stream, std::move(value), archetype);
}

std::istream& ReadString(std::istream& stream, Variant value, bool /*archetype*/) {
  std::string text;
  if (SkipValueLead(stream, "a string")) {
    text = ReadRestOfLine(stream);
  } else if (stream.fail()) {
    return stream;
  }
  if (auto* target = static_cast<std::string*>(value.GetData())) *target = std::move(text);
  return stream;
}

std::istream& ReadStringList(std::istream& stream, Variant value, bool /*archetype*/) {
  std::vector<std::string> items;
  if (SkipValueLead(stream, "a string list")) {
    std::string word;
    bool more = true;
    while (more && ReadWordInLine(stream, word)) {
      more = !word.empty() && word.back() == ',';
      if (more) word.pop_back();
      items.push_back(word);
    }
    // Whatever follows the last item, or the line end itself.
    if (!stream.eof()) SkipLine(stream);
  } else if (stream.fail()) {
    return stream;
  }
  if (auto* target = static_cast<std::vector<std::string>*>(value.GetData())) *target = std::move(items);
  return stream;
}

std::istream& ReadMat4(std::istream& stream, Variant /*value*/, bool /*archetype*/) {
  std::string word;
  if (!ReadWord(stream, word)) FailRead(stream, "input ends where a Mat4 value was expected");
  return stream;
}

std::istream& ReadBlock(std::istream& stream, Variant value, bool archetype) {
  if (!stream) return stream;
  const MetaData* meta = value.GetMeta();
  auto* base = static_cast<char*>(value.GetData());
  const std::string typeName = meta != nullptr ? meta->Type() : std::string("unknown");
  std::string word;
  std::string separator;
  const auto next = [&](std::string& into) {
    if (ReadWord(stream, into)) return true;
    FailRead(stream, "input ends inside a " + typeName + " block");
    return false;
  };

  if (!next(word)) return stream;
  while (word != "}") {
    if (!next(separator)) return stream;
    const Member* member = meta != nullptr && base != nullptr ? meta->FindMember(word) : nullptr;
    const MetaData* type = member != nullptr ? member->Data() : nullptr;
    if (type != nullptr && type->GetDeserialize() != nullptr) {
      // A compound value's type name and "{"; their text is not checked.
      if (type->HasMembers()) {
        std::string head;
        if (!next(head) || !next(head)) return stream;
      }
      type->Deserialize(stream, Variant(type, base + member->Offset()), archetype);
      if (!stream) return stream;
      if (!next(word)) return stream;
      continue;
    }
    // Not a member we can read: skip its line, and its block if one follows.
    // A record without members meets its own empty block's head here (the
    // writer's "Vec4" and "{"): that is no damage worth reporting.
    const bool ownEmptyBlock = meta != nullptr && !meta->HasMembers() && word == typeName;
    if (!ownEmptyBlock) {
      ReportSkip(stream, (member != nullptr ? "unreadable member '" : "unknown member '") + word + "' of " + typeName +
                             " skipped");
    }
    SkipLine(stream);
    if (!next(word)) return stream;
    if (word == "{") {
      if (!SkipBlock(stream)) {
        FailRead(stream, "input ends inside a " + typeName + " block");
        return stream;
      }
      if (!next(word)) return stream;
    }
  }
  return stream;
}

}  // namespace META
