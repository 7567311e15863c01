#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "objects/ComponentType.h"
#include "vectormath/vectormath_aos.h"

class Collider;
class DoorComponent;
class EscapePod;
class Object;
class RoomComponent;
class Transform;

// The level as the bots and the host's bookkeeping see it: rooms (boxes with
// a RoomComponent), the doors between them, pickups and escape pods, read from
// the registry once the level is loaded. States (flooding, door positions,
// pickups taken) are read live from the components.
class ShipMap {
 public:
  enum class RoomState { Dry, Warning, Filling, Flooded };

  struct Room {
    ObjectID object = 0;
    std::uint32_t roomID = 0;
    std::string name;
    Vectormath::Aos::Vector3 center{0.0f};
    Vectormath::Aos::Vector3 halfExtents{0.0f};
    std::shared_ptr<RoomComponent> component;
  };
  struct Door {
    ObjectID object = 0;
    std::string name;
    // Indices into Rooms(): the two rooms the door leads between.
    int roomA = -1;
    int roomB = -1;
    // The axis a player crosses the door along (0 = x, 2 = z).
    int axis = 0;
    Vectormath::Aos::Vector3 closedPosition{0.0f};
    std::shared_ptr<DoorComponent> component;
    std::shared_ptr<Transform> transform;
  };
  struct Pickup {
    ObjectID object = 0;
    std::string name;
    std::string type;
    Vectormath::Aos::Vector3 position{0.0f};
    int room = -1;
    std::shared_ptr<Collider> collider;
  };
  struct Pod {
    ObjectID object = 0;
    std::string name;
    Vectormath::Aos::Vector3 position{0.0f};
    int room = -1;
    std::shared_ptr<EscapePod> pod;
  };

  // Reads the rooms, doors, pickups and pods of the loaded level.
  void Build();

  [[nodiscard]] const std::vector<Room>& Rooms() const { return mRooms; }
  [[nodiscard]] const std::vector<Door>& Doors() const { return mDoors; }
  [[nodiscard]] const std::vector<Pickup>& Pickups() const { return mPickups; }
  [[nodiscard]] const std::vector<Pod>& Pods() const { return mPods; }

  // The room whose box holds the point (the nearest centre when several do);
  // -1 outside every room.
  [[nodiscard]] int RoomAt(const Vectormath::Aos::Vector3& point) const;
  [[nodiscard]] int RoomWithID(std::uint32_t roomID) const;
  [[nodiscard]] RoomState StateOf(int room) const;
  [[nodiscard]] std::uint32_t RingOf(int room) const;
  [[nodiscard]] std::string Describe(int room) const;

  [[nodiscard]] bool IsDoorSealed(int door) const;
  [[nodiscard]] bool IsDoorOpen(int door) const;
  [[nodiscard]] bool IsDoorLocked(int door) const;
  [[nodiscard]] bool DoorNeedsKey(int door) const;
  // Lifted far enough for a player to walk under.
  [[nodiscard]] bool IsDoorPassable(int door) const;
  [[nodiscard]] Vectormath::Aos::Vector3 DoorPoint(int door) const { return mDoors[door].closedPosition; }

  [[nodiscard]] bool IsPickupAvailable(int pickup) const;
  // Free for this player: not launched, and not charged by someone else.
  [[nodiscard]] bool IsPodAvailable(int pod, ObjectID player) const;

  // Doors to go through, in order, from one room to another through dry
  // rooms only (the start may be flooding) and doors that are not sealed,
  // needing a key card only when `hasKey`. Nothing when there is no way.
  [[nodiscard]] std::optional<std::vector<int>> Route(int from, int to, bool hasKey) const;

 private:
  std::vector<Room> mRooms;
  std::vector<Door> mDoors;
  std::vector<Pickup> mPickups;
  std::vector<Pod> mPods;
};
