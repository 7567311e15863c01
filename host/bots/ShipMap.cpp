#include "bots/ShipMap.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>

#include "components/Collider.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "gameplay/DoorComponent.h"
#include "gameplay/EscapePod.h"
#include "gameplay/PickupComponent.h"
#include "gameplay/RoomComponent.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

// How far a door must rise before a player fits under it.
constexpr float kPassableLift = 2.5f;

float FlatDistanceSquared(const Vector3& a, const Vector3& b) {
  const float dx = a.getX() - b.getX();
  const float dz = a.getZ() - b.getZ();
  return dx * dx + dz * dz;
}

}  // namespace

void ShipMap::Build() {
  mRooms.clear();
  mDoors.clear();
  mPickups.clear();
  mPods.clear();
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    if (!transform) continue;
    if (auto room = object->GetComponentAs<RoomComponent>(CT_RoomComponent)) {
      Room record;
      record.object = id;
      record.roomID = room->GetRoomID();
      record.name = object->GetName();
      record.center = transform->GetPosition();
      if (const auto collider = object->GetComponentAs<Collider>(CT_Collider)) {
        record.halfExtents = collider->GetHalfExtents();
      }
      record.component = std::move(room);
      mRooms.push_back(std::move(record));
    } else if (auto door = object->GetComponentAs<DoorComponent>(CT_DoorComponent)) {
      Door record;
      record.object = id;
      record.name = object->GetName();
      record.closedPosition = transform->GetPosition();
      record.component = std::move(door);
      record.transform = transform;
      mDoors.push_back(std::move(record));
    } else if (auto pod = object->GetComponentAs<EscapePod>(CT_EscapePod)) {
      mPods.push_back({id, object->GetName(), transform->GetPosition(), -1, std::move(pod)});
    } else if (const auto pickup = object->GetComponentAs<PickupComponent>(CT_PickupComponent)) {
      mPickups.push_back({id, object->GetName(), pickup->GetPickupType(), transform->GetPosition(), -1,
                          object->GetComponentAs<Collider>(CT_Collider)});
    }
  }
  std::sort(mRooms.begin(), mRooms.end(), [](const Room& a, const Room& b) { return a.roomID < b.roomID; });

  // A door joins the two rooms whose centres are nearest to it, one on each
  // side; it is crossed along the axis that separates those centres most.
  for (Door& door : mDoors) {
    std::vector<std::pair<float, int>> byDistance;
    for (int i = 0; i < static_cast<int>(mRooms.size()); ++i) {
      byDistance.emplace_back(FlatDistanceSquared(door.closedPosition, mRooms[i].center), i);
    }
    std::sort(byDistance.begin(), byDistance.end());
    if (byDistance.size() < 2) continue;
    door.roomA = byDistance[0].second;
    door.roomB = byDistance[1].second;
    const Vector3 across = mRooms[door.roomB].center - mRooms[door.roomA].center;
    door.axis = std::fabs(across.getX()) >= std::fabs(across.getZ()) ? 0 : 2;
  }
  for (Pickup& pickup : mPickups) pickup.room = RoomAt(pickup.position);
  for (Pod& pod : mPods) pod.room = RoomAt(pod.position);
}

int ShipMap::RoomAt(const Vector3& point) const {
  int best = -1;
  float bestDistance = std::numeric_limits<float>::max();
  for (int i = 0; i < static_cast<int>(mRooms.size()); ++i) {
    const Room& room = mRooms[i];
    const Vector3 offset = point - room.center;
    if (std::fabs(offset.getX()) > room.halfExtents.getX() || std::fabs(offset.getZ()) > room.halfExtents.getZ()) {
      continue;
    }
    const float distance = FlatDistanceSquared(point, room.center);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return best;
}

int ShipMap::RoomWithID(std::uint32_t roomID) const {
  for (int i = 0; i < static_cast<int>(mRooms.size()); ++i) {
    if (mRooms[i].roomID == roomID) return i;
  }
  return -1;
}

ShipMap::RoomState ShipMap::StateOf(int room) const {
  const RoomComponent& component = *mRooms[room].component;
  if (component.GetFillLevel() >= 1.0f) return RoomState::Flooded;
  if (component.IsRoomFilling()) return RoomState::Filling;
  if (component.IsFillSignalled()) return RoomState::Warning;
  return RoomState::Dry;
}

std::uint32_t ShipMap::RingOf(int room) const { return mRooms[room].component->GetRoomRing(); }

std::string ShipMap::Describe(int room) const {
  if (room < 0) return "no room";
  const Room& record = mRooms[room];
  const std::uint32_t ring = RingOf(room);
  return record.name + (ring == 0 ? " (centre)" : " (ring " + std::to_string(ring) + ")");
}

bool ShipMap::IsDoorSealed(int door) const { return mDoors[door].component->IsSealed(); }
bool ShipMap::IsDoorOpen(int door) const { return mDoors[door].component->IsOpen(); }
bool ShipMap::IsDoorLocked(int door) const { return mDoors[door].component->IsLocked(); }
bool ShipMap::DoorNeedsKey(int door) const { return mDoors[door].component->IsKeyRequired(); }

bool ShipMap::IsDoorPassable(int door) const {
  const Door& record = mDoors[door];
  return record.transform->GetPosition().getY() >= record.closedPosition.getY() + kPassableLift;
}

bool ShipMap::IsPickupAvailable(int pickup) const {
  const auto& collider = mPickups[pickup].collider;
  return collider && !collider->IsGhost() && !collider->IsRetired();
}

bool ShipMap::IsPodAvailable(int pod, ObjectID player) const {
  const EscapePod& component = *mPods[pod].pod;
  if (component.IsLaunched()) return false;
  return !component.IsLaunchable() || component.GetLauncherPlayerID() == player;
}

std::optional<std::vector<int>> ShipMap::Route(int from, int to, bool hasKey) const {
  if (from < 0 || to < 0) return std::nullopt;
  if (from == to) return std::vector<int>{};
  if (StateOf(to) != RoomState::Dry) return std::nullopt;
  // Breadth first: every door counts the same, and ties go to the lower
  // door index, so a route depends on nothing but the level and its state.
  std::vector<int> cameBy(mRooms.size(), -1);
  std::vector<bool> seen(mRooms.size(), false);
  std::deque<int> open{from};
  seen[from] = true;
  while (!open.empty()) {
    const int room = open.front();
    open.pop_front();
    if (room == to) break;
    for (int d = 0; d < static_cast<int>(mDoors.size()); ++d) {
      const Door& door = mDoors[d];
      if (door.roomA != room && door.roomB != room) continue;
      const int next = door.roomA == room ? door.roomB : door.roomA;
      if (next < 0 || seen[next]) continue;
      if (IsDoorSealed(d) || (DoorNeedsKey(d) && !hasKey)) continue;
      if (StateOf(next) != RoomState::Dry) continue;
      seen[next] = true;
      cameBy[next] = d;
      open.push_back(next);
    }
  }
  if (!seen[to]) return std::nullopt;
  std::vector<int> doors;
  for (int room = to; room != from;) {
    const int d = cameBy[room];
    doors.push_back(d);
    room = mDoors[d].roomA == room ? mDoors[d].roomB : mDoors[d].roomA;
  }
  std::reverse(doors.begin(), doors.end());
  return doors;
}
