#include "replay/WorldState.h"

#include <bit>
#include <cstdio>
#include <tuple>

void WorldState::Add(std::uint32_t object, Field field, float value) {
  Add(object, field, std::bit_cast<std::uint32_t>(value));
}

std::uint64_t WorldState::Hash() const {
  std::uint64_t hash = 14695981039346656037ull;
  const auto mix = [&hash](std::uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) {
      hash ^= (word >> shift) & 0xFFu;
      hash *= 1099511628211ull;
    }
  };
  for (const Entry& entry : mEntries) {
    mix(entry.object);
    mix(static_cast<std::uint32_t>(entry.field));
    mix(entry.bits);
  }
  return hash;
}

std::vector<WorldState::Difference> WorldState::Compare(const WorldState& recorded) const {
  // Both lists run in (object, field) order: walk them side by side.
  const auto key = [](const Entry& entry) { return std::make_tuple(entry.object, entry.field); };
  std::vector<Difference> differences;
  const auto& mine = mEntries;
  const auto& theirs = recorded.mEntries;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < mine.size() || j < theirs.size()) {
    if (j == theirs.size() || (i < mine.size() && key(mine[i]) < key(theirs[j]))) {
      differences.push_back({mine[i].object, mine[i].field, false, true, 0, mine[i].bits});
      ++i;
    } else if (i == mine.size() || key(theirs[j]) < key(mine[i])) {
      differences.push_back({theirs[j].object, theirs[j].field, true, false, theirs[j].bits, 0});
      ++j;
    } else {
      if (mine[i].bits != theirs[j].bits) {
        differences.push_back({mine[i].object, mine[i].field, true, true, theirs[j].bits, mine[i].bits});
      }
      ++i;
      ++j;
    }
  }
  return differences;
}

const char* WorldState::FieldName(Field field) {
  switch (field) {
    case Field::PositionX:
      return "position x";
    case Field::PositionY:
      return "position y";
    case Field::PositionZ:
      return "position z";
    case Field::LookX:
      return "view x";
    case Field::LookY:
      return "view y";
    case Field::LookZ:
      return "view z";
    case Field::KeyCards:
      return "key cards";
    case Field::PowerCells:
      return "power cells";
    case Field::SprintLevel:
      return "sprint level";
    case Field::Sprinting:
      return "sprinting";
    case Field::Flare:
      return "has a flare";
    case Field::Dead:
      return "dead";
    case Field::Count:
      break;
  }
  return "?";
}

bool WorldState::IsFloat(Field field) {
  return field <= Field::LookZ || field == Field::SprintLevel;
}

std::string WorldState::ValueText(Field field, std::uint32_t bits) {
  if (!IsFloat(field)) return std::to_string(bits);
  char text[48];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(std::bit_cast<float>(bits)));
  return text;
}
