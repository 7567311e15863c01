#include "replay/WorldProbe.h"

#include "components/Camera.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "gameplay/PlayerStats.h"
#include "objects/Object.h"

WorldState WorldProbe::Capture() {
  using Field = WorldState::Field;
  WorldState state;
  // Objects by their place in the registry (in id order), not by id: ids
  // keep growing within a process, places are the same on every run.
  std::uint32_t id = 0;
  for (const auto& [objectID, object] : Engine::mFactory.GetObjects()) {
    ++id;
    if (const auto transform = object->GetComponentAs<Transform>(CT_Transform)) {
      const auto& position = transform->GetPosition();
      state.Add(id, Field::PositionX, position.getX());
      state.Add(id, Field::PositionY, position.getY());
      state.Add(id, Field::PositionZ, position.getZ());
    }
    const auto stats = object->GetComponentAs<PlayerStats>(CT_PlayerStats);
    if (!stats) continue;
    if (const auto camera = object->GetComponentAs<Camera>(CT_Camera)) {
      const auto& look = camera->GetLookAt();
      state.Add(id, Field::LookX, look.getX());
      state.Add(id, Field::LookY, look.getY());
      state.Add(id, Field::LookZ, look.getZ());
    }
    state.Add(id, Field::KeyCards, static_cast<std::uint32_t>(stats->GetKeyCards()));
    state.Add(id, Field::PowerCells, static_cast<std::uint32_t>(stats->GetPowerCells()));
    state.Add(id, Field::SprintLevel, stats->GetSprintLevel());
    state.Add(id, Field::Sprinting, stats->IsSprinting() ? 1u : 0u);
    state.Add(id, Field::Flare, stats->HasFlare() ? 1u : 0u);
    state.Add(id, Field::Dead, stats->IsDead() ? 1u : 0u);
  }
  return state;
}

std::string WorldProbe::Describe(const std::vector<WorldState::Difference>& differences, std::size_t limit) {
  std::string text;
  std::size_t shown = 0;
  std::uint32_t lastObject = 0;
  bool lastMissing = false;
  for (const WorldState::Difference& difference : differences) {
    // An object that only one side has is told once, not once per field.
    const bool missing = !difference.recordedHas || !difference.replayedHas;
    if (missing && lastMissing && difference.object == lastObject) continue;
    lastObject = difference.object;
    lastMissing = missing;
    if (shown == limit) {
      text += "  ... and more\n";
      break;
    }
    ++shown;
    const auto& objects = Engine::mFactory.GetObjects();
    auto object = objects.begin();
    for (std::uint32_t place = 1; place < difference.object && object != objects.end(); ++place) ++object;
    const std::string name = (object != objects.end() ? object->second->GetName() : std::string("object")) +
                             " (object " + std::to_string(difference.object) + ")";
    if (!difference.replayedHas) {
      text += "  " + name + " exists in the recording, not in the replay\n";
    } else if (!difference.recordedHas) {
      text += "  " + name + " exists in the replay, not in the recording\n";
    } else {
      text += "  " + name + " " + WorldState::FieldName(difference.field) + ": recorded " +
              WorldState::ValueText(difference.field, difference.recorded) + ", replayed " +
              WorldState::ValueText(difference.field, difference.replayed) + '\n';
    }
  }
  return text;
}
