#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

// Reads what ByteWriter wrote. Every read checks the bytes left: running out
// or a malformed number throws ByteReader::Failure with the offset where it
// happened, counted from the start of the whole buffer.
class ByteReader {
 public:
  struct Failure : std::runtime_error {
    Failure(std::size_t at, const std::string& what, bool truncated)
        : std::runtime_error(what), offset(at), endOfData(truncated) {}
    std::size_t offset;
    // The bytes ran out (a recording cut short), rather than being wrong.
    bool endOfData;
  };

  ByteReader(std::span<const std::byte> bytes, std::size_t base = 0) : mBytes(bytes), mBase(base) {}

  [[nodiscard]] std::size_t Offset() const { return mBase + mAt; }
  [[nodiscard]] bool AtEnd() const { return mAt == mBytes.size(); }
  [[nodiscard]] std::size_t Left() const { return mBytes.size() - mAt; }

  [[noreturn]] void Fail(const std::string& what) const { throw Failure(Offset(), what, false); }

  std::uint8_t U8(const char* what) {
    if (mAt >= mBytes.size()) throw Failure(Offset(), std::string("the data ends inside ") + what, true);
    return static_cast<std::uint8_t>(mBytes[mAt++]);
  }
  std::uint64_t VarUint(const char* what) {
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
      const std::uint8_t byte = U8(what);
      value |= static_cast<std::uint64_t>(byte & 0x7F) << shift;
      if ((byte & 0x80) == 0) return value;
    }
    Fail(std::string("a number too long in ") + what);
  }
  std::int64_t VarInt(const char* what) {
    const std::uint64_t raw = VarUint(what);
    return static_cast<std::int64_t>((raw >> 1) ^ (~(raw & 1) + 1));
  }
  // A varint that must fit `limit`.
  std::uint64_t Bounded(const char* what, std::uint64_t limit) {
    const std::size_t at = Offset();
    const std::uint64_t value = VarUint(what);
    if (value > limit) throw Failure(at, std::string(what) + " out of range: " + std::to_string(value), false);
    return value;
  }
  std::uint32_t Fixed32(const char* what) {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8) value |= static_cast<std::uint32_t>(U8(what)) << shift;
    return value;
  }
  std::uint64_t Fixed64(const char* what) {
    const std::uint64_t low = Fixed32(what);
    return low | (static_cast<std::uint64_t>(Fixed32(what)) << 32);
  }
  float F32(const char* what) { return std::bit_cast<float>(Fixed32(what)); }
  double F64(const char* what) { return std::bit_cast<double>(Fixed64(what)); }
  std::string String(const char* what) {
    const std::uint64_t size = VarUint(what);
    if (size > Left()) throw Failure(Offset(), std::string("the data ends inside ") + what, true);
    std::string text(reinterpret_cast<const char*>(mBytes.data() + mAt), static_cast<std::size_t>(size));
    mAt += static_cast<std::size_t>(size);
    return text;
  }
  // The next `size` bytes as a reader of their own (offsets still from the start).
  ByteReader Sub(std::size_t size, const char* what) {
    if (size > Left()) throw Failure(Offset(), std::string("the data ends inside ") + what, true);
    ByteReader sub(mBytes.subspan(mAt, size), Offset());
    mAt += size;
    return sub;
  }
  [[nodiscard]] std::span<const std::byte> Rest() const { return mBytes.subspan(mAt); }

 private:
  std::span<const std::byte> mBytes;
  std::size_t mBase;
  std::size_t mAt = 0;
};
