#include "meta/TextWriters.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "meta/MetaData.h"

namespace META {

namespace {

// Through memcpy: the readers and writers see members only as addresses.
template <class T>
T Load(const void* data) {
  T value;
  std::memcpy(&value, data, sizeof(T));
  return value;
}

// to_chars rather than operator<<: a locale the host installs must not
// change the file text (decimal commas, digit grouping).
template <class... Args>
void WriteNumber(std::ostream& stream, Args... args) {
  std::array<char, 64> text{};
  const auto result = std::to_chars(text.data(), text.data() + text.size(), args...);
  stream.write(text.data(), result.ptr - text.data());
}

}  // namespace

void WriteIndent(std::ostream& stream, unsigned depth) {
  for (unsigned i = 0; i < depth; ++i) stream.put('\t');
}

std::ostream& WriteFloat(std::ostream& stream, Variant value, unsigned /*depth*/) {
  if (void* data = value.GetData()) {
    float number = Load<float>(data);
    if (std::isnan(number)) {
      number = 0.0f;
    } else if (std::isinf(number)) {
      number = 2147483648.0f;
    }
    std::memcpy(data, &number, sizeof number);
    // "%g" with six digits, which is what a default-formatted stream prints.
    WriteNumber(stream, static_cast<double>(number), std::chars_format::general, 6);
  }
  return stream.put('\n');
}

std::ostream& WriteInt(std::ostream& stream, Variant value, unsigned /*depth*/) {
  if (const void* data = value.GetData()) WriteNumber(stream, Load<std::int32_t>(data));
  return stream.put('\n');
}

std::ostream& WriteBool(std::ostream& stream, Variant value, unsigned /*depth*/) {
  // Read as a byte: storage that never held a bool must not be loaded as one.
  if (const void* data = value.GetData()) stream.put(Load<unsigned char>(data) != 0 ? '1' : '0');
  return stream.put('\n');
}

std::ostream& WriteUnsigned(std::ostream& stream, Variant value, unsigned /*depth*/) {
  if (const void* data = value.GetData()) WriteNumber(stream, Load<std::uint32_t>(data));
  return stream.put('\n');
}

std::ostream& WriteUnsignedLong(std::ostream& stream, Variant value, unsigned depth) {
  return WriteUnsigned(stream, std::move(value), depth);
}

std::ostream& WriteString(std::ostream& stream, Variant value, unsigned /*depth*/) {
  if (const auto* text = static_cast<const std::string*>(value.GetData())) stream << *text;
  return stream.put('\n');
}

std::ostream& WriteStringList(std::ostream& stream, Variant value, unsigned /*depth*/) {
  if (const auto* items = static_cast<const std::vector<std::string>*>(value.GetData())) {
    const char* separator = "";
    for (const std::string& item : *items) {
      stream << separator << item;
      separator = ", ";
    }
  }
  return stream << " \n";
}

std::ostream& WriteMat4(std::ostream& stream, Variant /*value*/, unsigned /*depth*/) { return stream << "<NULL>\n"; }

std::ostream& WriteBlock(std::ostream& stream, Variant value, unsigned depth) {
  const MetaData* meta = value.GetMeta();
  if (meta == nullptr) return stream;
  WriteIndent(stream, depth);
  stream << meta->Name() << '\n';
  WriteIndent(stream, depth);
  stream << "{\n";
  if (auto* base = static_cast<char*>(value.GetData())) {
    for (const auto& [name, member] : meta->GetMembers()) {
      const MetaData* type = member->Data();
      if (type == nullptr || type->GetSerialize() == nullptr) continue;
      WriteIndent(stream, depth + 1);
      stream << name << " : ";
      type->Serialize(stream, Variant(type, base + member->Offset()), depth + 1);
    }
  }
  WriteIndent(stream, depth);
  return stream << "}\n";
}

}  // namespace META
