#pragma once
#include <bit>
#include <cstdint>
#include <string>

// Builds the bytes of a recording: unsigned LEB128 varints, zigzag varints for
// signed numbers, floats as their raw IEEE-754 bits (so they come back
// bit-exact), fixed little-endian words, and strings as a length and bytes.
class ByteWriter {
 public:
  void U8(std::uint8_t value) { mBytes.push_back(static_cast<char>(value)); }
  void VarUint(std::uint64_t value) {
    while (value >= 0x80) {
      U8(static_cast<std::uint8_t>(value | 0x80));
      value >>= 7;
    }
    U8(static_cast<std::uint8_t>(value));
  }
  void VarInt(std::int64_t value) {
    VarUint((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
  }
  void Fixed32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) U8(static_cast<std::uint8_t>(value >> shift));
  }
  void Fixed64(std::uint64_t value) {
    Fixed32(static_cast<std::uint32_t>(value));
    Fixed32(static_cast<std::uint32_t>(value >> 32));
  }
  void F32(float value) { Fixed32(std::bit_cast<std::uint32_t>(value)); }
  void F64(double value) { Fixed64(std::bit_cast<std::uint64_t>(value)); }
  void String(const std::string& text) {
    VarUint(text.size());
    mBytes += text;
  }
  void Bytes(const std::string& bytes) { mBytes += bytes; }

  [[nodiscard]] const std::string& Data() const { return mBytes; }
  void Clear() { mBytes.clear(); }

 private:
  std::string mBytes;
};
