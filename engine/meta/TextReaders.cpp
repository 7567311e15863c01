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
#include "meta/WordCursor.h"

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
[[gnu::always_inline]] inline bool ParseShortFloat(std::string_view text, float& number) {
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

// The kinds of value the block reader reads from their word in place.
enum class NumberKind { kNone, kFloat, kInt, kUnsigned, kBool };

NumberKind NumberKindOf(DeserializeFunction read) {
  if (read == &ReadFloat) return NumberKind::kFloat;
  if (read == &ReadInt) return NumberKind::kInt;
  if (read == &ReadUnsigned || read == &ReadUnsignedLong) return NumberKind::kUnsigned;
  if (read == &ReadBool) return NumberKind::kBool;
  return NumberKind::kNone;
}

template <class T>
bool StoreParsed(std::string_view text, void* data) {
  T number{};
  if (!ParseNumber(text, number)) return false;
  Store(data, number);
  return true;
}

// Stores the number `text` spells in the member's storage; false, with
// nothing stored, when it spells no number of that kind.
bool StoreNumber(NumberKind kind, std::string_view text, void* data) {
  switch (kind) {
    case NumberKind::kFloat:
      return StoreParsed<float>(text, data);
    case NumberKind::kInt:
      return StoreParsed<std::int32_t>(text, data);
    case NumberKind::kUnsigned:
      return StoreParsed<std::uint32_t>(text, data);
    case NumberKind::kBool: {
      std::int32_t number = -1;
      if (!ParseNumber(text, number) || (number != 0 && number != 1)) return false;
      Store(data, number == 1);
      return true;
    }
    case NumberKind::kNone:
      break;
  }
  return false;
}

std::istream& ReadMembers(std::istream& stream, const MetaData* meta, char* base, std::size_t& cursor,
                          bool archetype);

// Reads blocks while their words lie whole in the stream's buffer, one
// cursor for a block and the blocks nested in it, and leaves the rest to
// the stream's own reads.
class InPlaceBlocks {
 public:
  enum class Reached {
    kBlockEnd,  // the block's "}" was read; the stream is not moved yet
    kOther,     // the stream was moved to where the in-place reads stopped
  };

  InPlaceBlocks(std::istream& stream, bool archetype)
      : mStream(stream),
        mBuffer(*stream.rdbuf()),
        mFrom(GetArea::Next(mBuffer)),
        mWords(mFrom, GetArea::End(mBuffer)),
        mArchetype(archetype) {}

  // The members of the block up to its "}". Stops, with kOther, before the
  // name of a member it leaves to the stream's own reads: one the record
  // lacks or cannot read, a value that is no number of its kind (the
  // reports are made there), words that run past the buffer. Values of
  // other kinds go to their types' readers, as ever.
  Reached Members(const MetaData& members, char* base, std::size_t& cursor) {
    for (;;) {
      char* const line = mWords.At();
      const std::size_t before = cursor;
      const auto other = [&]() {
        cursor = before;
        Leave(line);
        return Reached::kOther;
      };
      std::string_view name;
      if (!mWords.Next(name)) return other();
      if (name == "}") return Reached::kBlockEnd;
      const Member* member = members.FindMember(name, cursor);
      const MetaData* type = member != nullptr ? member->Data() : nullptr;
      const DeserializeFunction read = type != nullptr ? type->GetDeserialize() : nullptr;
      // The separator ":"; its text is not compared.
      std::string_view word;
      if (read == nullptr || !mWords.Next(word)) return other();
      char* const data = base + member->Offset();
      if (!type->HasMembers()) {
        const NumberKind kind = NumberKindOf(read);
        if (kind != NumberKind::kNone) {
          if (!mWords.Next(word) || !StoreNumber(kind, word, data)) return other();
          continue;
        }
      } else {
        // A compound value's type name and "{"; their text is not checked.
        if (!mWords.Next(word) || !mWords.Next(word)) return other();
        if (read == &ReadBlock) {
          std::size_t inner = 0;
          if (Members(*type, data, inner) == Reached::kBlockEnd) continue;
          // Stopped inside the nested block: the stream's reads finish it.
          ReadMembers(mStream, type, data, inner, mArchetype);
          if (!Restart()) return Reached::kOther;
          continue;
        }
      }
      Leave(mWords.At());
      read(mStream, Variant(type, data), mArchetype);
      if (!Restart()) return Reached::kOther;
    }
  }

  // Moves the stream to the cursor, after a block's "}".
  void Finish() { Leave(mWords.At()); }

 private:
  void Leave(char* at) { GetArea::Advance(mBuffer, at - mFrom); }

  // Goes on from where another reader left the stream; false when the
  // stream is no longer good to read in place.
  bool Restart() {
    if (!mStream.good()) return false;
    mFrom = GetArea::Next(mBuffer);
    mWords = WordCursor(mFrom, GetArea::End(mBuffer));
    return true;
  }

  std::istream& mStream;
  std::streambuf& mBuffer;
  char* mFrom;  // the buffer's read position when the cursor started
  WordCursor mWords;
  bool mArchetype;
};

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

std::istream& ReadBlock(std::istream& stream, Variant value, bool archetype) {
  if (!stream) return stream;
  auto* base = static_cast<char*>(value.GetData());
  std::size_t cursor = 0;
  return ReadMembers(stream, value.GetMeta(), base, cursor, archetype);
}

namespace {

// A block's members from the one at `cursor` on, through its "}".
std::istream& ReadMembers(std::istream& stream, const MetaData* meta, char* base, std::size_t& cursor,
                          bool archetype) {
  const auto typeName = [meta] { return std::string(meta != nullptr ? meta->Name() : "unknown"); };
  const MetaData* members = base != nullptr ? meta : nullptr;
  const auto ended = [&]() -> std::istream& {
    FailRead(stream, "input ends inside a " + typeName() + " block");
    return stream;
  };
  // Words view the stream's buffer; the name is copied only on the rare
  // path that must keep it past the next read.
  std::string_view word;
  std::string spill;
  std::string name;

  // The in-place reads take what they can; a member they leave is read
  // here, the stream's way, and then they go on.
  bool haveWord = false;
  for (;;) {
    if (!haveWord) {
      if (members != nullptr && stream.good() && stream.tie() == nullptr) {
        InPlaceBlocks inPlace(stream, archetype);
        if (inPlace.Members(*members, base, cursor) == InPlaceBlocks::Reached::kBlockEnd) {
          inPlace.Finish();
          return stream;
        }
      }
      if (!stream) return stream;
      if (!ReadWord(stream, word, spill)) return ended();
    }
    haveWord = false;
    if (word == "}") return stream;
    const Member* member = members != nullptr ? members->FindMember(word, cursor) : nullptr;
    const MetaData* type = member != nullptr ? member->Data() : nullptr;
    const bool readable = type != nullptr && type->GetDeserialize() != nullptr;
    if (!readable) name.assign(word);
    // The separator ":"; its text is not compared.
    if (!SkipWord(stream)) return ended();
    if (readable) {
      // A compound value's type name and "{"; their text is not checked.
      if (type->HasMembers() && (!SkipWord(stream) || !SkipWord(stream))) return ended();
      type->Deserialize(stream, Variant(type, base + member->Offset()), archetype);
      if (!stream) return stream;
      continue;
    }
    // Not a member we can read: skip its line, and its block if one follows.
    // A record without members meets its own empty block's head here (the
    // writer's "Vec4" and "{"): that is no damage worth reporting.
    const bool ownEmptyBlock = meta != nullptr && !meta->HasMembers() && name == typeName();
    if (!ownEmptyBlock) {
      ReportSkip(stream, (member != nullptr ? "unreadable member '" : "unknown member '") + name + "' of " +
                             typeName() + " skipped");
    }
    SkipLine(stream);
    if (!ReadWord(stream, word, spill)) return ended();
    if (word == "{") {
      if (!SkipBlock(stream)) return ended();
      if (!ReadWord(stream, word, spill)) return ended();
    }
    haveWord = true;
  }
}

}  // namespace

}  // namespace META
