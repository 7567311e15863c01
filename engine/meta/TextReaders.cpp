#include "meta/TextReaders.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <istream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "meta/MetaData.h"
#include "meta/TextWords.h"
#include "meta/WordScan.h"

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

// What the writer puts down for nearly every float: an optional '-', digits,
// an optional point and digits, no exponent, a value below 2^24 once the
// point is dropped and at most ten digits after it. Both the digits and the
// power of ten are then exact floats, and one division of them is the
// correctly rounded value that from_chars gives too. False for anything
// else, which from_chars then reads.
bool ParseShortFloat(std::string_view text, float& number) {
  constexpr std::uint32_t kExact = 1U << 24;
  constexpr float kPowers[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F, 1e6F, 1e7F, 1e8F, 1e9F, 1e10F};
  const char* at = text.data();
  const char* const end = at + text.size();
  const bool negative = at < end && *at == '-';
  if (negative) ++at;
  if (at == end || *at < '0' || *at > '9') return false;
  std::uint32_t digits = 0;
  for (; at < end && *at >= '0' && *at <= '9'; ++at) {
    digits = digits * 10 + static_cast<std::uint32_t>(*at - '0');
    if (digits >= kExact) return false;
  }
  std::size_t decimals = 0;
  if (at < end && *at == '.') {
    for (++at; at < end && *at >= '0' && *at <= '9'; ++at) {
      digits = digits * 10 + static_cast<std::uint32_t>(*at - '0');
      if (digits >= kExact || ++decimals >= std::size(kPowers)) return false;
    }
  }
  if (at != end) return false;
  const float value = static_cast<float>(digits) / kPowers[decimals];
  number = negative ? -value : value;
  return true;
}

template <class T>
bool ParseNumber(std::string_view text, T& number) {
  if constexpr (std::is_same_v<T, float>) {
    if (ParseShortFloat(text, number)) return true;
  }
  return Parse(text, number);
}

// Reads one word as a number of type T into the value.
template <class T>
std::istream& ReadNumber(std::istream& stream, Variant& value, const char* kind) {
  std::string_view word;
  std::string spill;
  if (!ReadWord(stream, word, spill)) {
    FailRead(stream, std::string("input ends where ") + kind + " value was expected");
    return stream;
  }
  T number{};
  if (!ParseNumber(word, number)) {
    FailRead(stream, "'" + std::string(word) + "' is not " + kind + " value");
    return stream;
  }
  Store(value.GetData(), number);
  return stream;
}

// The lines that fill a level are "name : number": this reads the separator
// and the number in place, with no call per word. False, with nothing
// consumed, for anything out of the ordinary (a word that does not lie whole
// in the buffer, a number that does not parse), which the member's own
// reader then reads, and reports, as ever.
template <class T>
bool ReadNumberInPlace(std::streambuf& buffer, void* data) {
  char* const next = GetArea::Next(buffer);
  char* const end = GetArea::End(buffer);
  char* value = next + 3;
  // The writer's " : " saves looking for the separator's ends.
  if (end - next < 4 || next[0] != ' ' || next[1] != ':' || next[2] != ' ' || Scan::IsSpace(*value)) {
    std::string_view separator;
    if (!Scan::WordIn(next, end, separator, value)) return false;
  }
  std::string_view text;
  char* after = nullptr;
  if (!Scan::WordIn(value, end, text, after)) return false;
  T number{};
  if (!ParseNumber(text, number)) return false;
  Store(data, number);
  GetArea::Advance(buffer, after - next);
  return true;
}

bool ReadBoolInPlace(std::streambuf& buffer, void* data) {
  std::int32_t number = -1;
  char* const next = GetArea::Next(buffer);
  if (!ReadNumberInPlace<std::int32_t>(buffer, &number)) return false;
  if (number == 0 || number == 1) {
    Store(data, number == 1);
    return true;
  }
  GetArea::Advance(buffer, next - GetArea::Next(buffer));
  return false;
}

using InPlaceReader = bool (*)(std::streambuf& buffer, void* data);

// Declared below; the records hold their addresses.
InPlaceReader InPlaceReaderOf(DeserializeFunction read);

// The next word, read in place when it can be, else by ReadWord.
bool NextWord(std::istream& stream, std::string_view& word, std::string& spill) {
  if (stream.good() && stream.tie() == nullptr && Scan::ReadWordInPlace(*stream.rdbuf(), word)) return true;
  return ReadWord(stream, word, spill);
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
  std::string_view text;
  std::string spill;
  if (SkipValueLead(stream, "a string")) {
    text = ReadRestOfLine(stream, spill);
  } else if (stream.fail()) {
    return stream;
  }
  if (auto* target = static_cast<std::string*>(value.GetData())) target->assign(text);
  return stream;
}

std::istream& ReadStringList(std::istream& stream, Variant value, bool /*archetype*/) {
  if (!SkipValueLead(stream, "a string list")) {
    if (stream.fail()) return stream;
    if (auto* target = static_cast<std::vector<std::string>*>(value.GetData())) target->clear();
    return stream;
  }
  // Read straight into the list, reusing the strings it holds.
  std::vector<std::string> scratch;
  auto* target = static_cast<std::vector<std::string>*>(value.GetData());
  std::vector<std::string>& items = target != nullptr ? *target : scratch;
  std::size_t count = 0;
  std::string_view word;
  std::string spill;
  bool more = true;
  while (more && ReadWordInLine(stream, word, spill)) {
    more = !word.empty() && word.back() == ',';
    if (more) word.remove_suffix(1);
    if (count < items.size()) {
      items[count].assign(word);
    } else {
      items.emplace_back(word);
    }
    ++count;
  }
  items.resize(count);
  // Whatever follows the last item, or the line end itself.
  if (!stream.eof()) SkipLine(stream);
  return stream;
}

std::istream& ReadMat4(std::istream& stream, Variant /*value*/, bool /*archetype*/) {
  if (!SkipWord(stream)) FailRead(stream, "input ends where a Mat4 value was expected");
  return stream;
}

namespace {

InPlaceReader InPlaceReaderOf(DeserializeFunction read) {
  if (read == &ReadFloat) return &ReadNumberInPlace<float>;
  if (read == &ReadInt) return &ReadNumberInPlace<std::int32_t>;
  if (read == &ReadUnsigned || read == &ReadUnsignedLong) return &ReadNumberInPlace<std::uint32_t>;
  if (read == &ReadBool) return &ReadBoolInPlace;
  return nullptr;
}

}  // namespace

std::istream& ReadBlock(std::istream& stream, Variant value, bool archetype) {
  if (!stream) return stream;
  const MetaData* meta = value.GetMeta();
  auto* base = static_cast<char*>(value.GetData());
  const std::string_view typeName = meta != nullptr ? std::string_view(meta->Name()) : std::string_view("unknown");
  const MetaData* members = base != nullptr ? meta : nullptr;
  const auto ended = [&]() -> std::istream& {
    FailRead(stream, "input ends inside a " + std::string(typeName) + " block");
    return stream;
  };
  // Words view the stream's buffer; the name is copied only on the rare
  // path that must keep it past the next read.
  std::string_view word;
  std::string spill;
  std::string name;
  std::size_t cursor = 0;

  if (!NextWord(stream, word, spill)) return ended();
  while (word != "}") {
    const Member* member = members != nullptr ? members->FindMember(word, cursor) : nullptr;
    const MetaData* type = member != nullptr ? member->Data() : nullptr;
    const bool readable = type != nullptr && type->GetDeserialize() != nullptr;
    if (readable && !type->HasMembers() && stream.good() && stream.tie() == nullptr) {
      const InPlaceReader inPlace = InPlaceReaderOf(type->GetDeserialize());
      if (inPlace != nullptr && inPlace(*stream.rdbuf(), base + member->Offset())) {
        if (!NextWord(stream, word, spill)) return ended();
        continue;
      }
    }
    if (!readable) name.assign(word);
    // The separator ":"; its text is not compared.
    if (!SkipWord(stream)) return ended();
    if (readable) {
      // A compound value's type name and "{"; their text is not checked.
      if (type->HasMembers() && (!SkipWord(stream) || !SkipWord(stream))) return ended();
      type->Deserialize(stream, Variant(type, base + member->Offset()), archetype);
      if (!stream) return stream;
      if (!NextWord(stream, word, spill)) return ended();
      continue;
    }
    // Not a member we can read: skip its line, and its block if one follows.
    // A record without members meets its own empty block's head here (the
    // writer's "Vec4" and "{"): that is no damage worth reporting.
    const bool ownEmptyBlock = meta != nullptr && !meta->HasMembers() && name == typeName;
    if (!ownEmptyBlock) {
      ReportSkip(stream, (member != nullptr ? "unreadable member '" : "unknown member '") + name + "' of " +
                             std::string(typeName) + " skipped");
    }
    SkipLine(stream);
    if (!ReadWord(stream, word, spill)) return ended();
    if (word == "{") {
      if (!SkipBlock(stream)) return ended();
      if (!ReadWord(stream, word, spill)) return ended();
    }
  }
  return stream;
}

}  // namespace META
