#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The state a replay is checked against: every object's position and the
// players' view and statistics, as (object, field, raw 32 bits) entries in
// object order. Floats are kept as their bits, so equal means bit-exact.
class WorldState {
 public:
  enum class Field : std::uint8_t {
    PositionX,
    PositionY,
    PositionZ,
    LookX,
    LookY,
    LookZ,
    KeyCards,
    PowerCells,
    SprintLevel,
    Sprinting,
    Flare,
    Dead,
    Count
  };
  struct Entry {
    std::uint32_t object = 0;
    Field field = Field::PositionX;
    std::uint32_t bits = 0;
    friend bool operator==(const Entry&, const Entry&) = default;
  };
  struct Difference {
    std::uint32_t object = 0;
    Field field = Field::PositionX;
    // Absent on one side: an object that only the recording or the replay has.
    bool recordedHas = false;
    bool replayedHas = false;
    std::uint32_t recorded = 0;
    std::uint32_t replayed = 0;
  };

  void Add(std::uint32_t object, Field field, std::uint32_t bits) { mEntries.push_back({object, field, bits}); }
  void Add(std::uint32_t object, Field field, float value);
  [[nodiscard]] const std::vector<Entry>& Entries() const { return mEntries; }

  // FNV-1a over every entry.
  [[nodiscard]] std::uint64_t Hash() const;
  // What differs between the recorded state and this one (the replay's).
  [[nodiscard]] std::vector<Difference> Compare(const WorldState& recorded) const;

  [[nodiscard]] static const char* FieldName(Field field);
  // Whether the field holds a float's bits (else a count or a flag).
  [[nodiscard]] static bool IsFloat(Field field);
  [[nodiscard]] static std::string ValueText(Field field, std::uint32_t bits);

  friend bool operator==(const WorldState&, const WorldState&) = default;

 private:
  std::vector<Entry> mEntries;
};
