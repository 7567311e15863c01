#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "objects/ComponentType.h"
#include "platform/Export.h"

// The flooding of a level: the room registry, the four rings of rooms around
// the centre room (ring 1 innermost) and the flood clock. It has no update of
// its own; the level's owner drives it:
//   InitializeRooms(); for each room: GetRooms()[roomID] = objectID, IncrementRooms();
//   AssignRingToRooms(); then every frame of play
//   UpdateTimeSinceLastFlood(dt); if (IsTimeToFlood()) FloodRoom();
// Static state for the game-loop thread only.
class TW_API RoomHandler {
 public:
  using RoomTable = std::unordered_map<std::uint32_t, ObjectID>;
  using Ring = std::vector<std::uint32_t>;
  // What DesignateRoomForFlooding and GetPositionInRing answer for "none".
  static constexpr std::uint32_t kNoRoom = 0xFFFFFFFF;

  RoomHandler() = delete;

  // Forgets the room count and sets the interval back to 10 s; the flood
  // clock, the rings and the room map are left as they are.
  static void InitializeRooms();
  // Forgets the whole level: room map, rings, counts and flood clock, and
  // sets the interval back to 10 s. For a host loading another level.
  static void ResetRooms();

  static void IncrementRooms();
  // Stops at zero.
  static void DecrementRooms();
  [[nodiscard]] static std::uint32_t HowManyRooms();
  // Room id -> object id; the level's owner fills it. Room 0 is the centre.
  static RoomTable& GetRooms();

  // Sorts the registered rooms into rings by squared distance from the centre.
  static void AssignRingToRooms();

  static void UpdateTimeSinceLastFlood(float dt);
  [[nodiscard]] static bool IsTimeToFlood();
  // A random room of the outermost non-empty ring, drawn from a generator
  // seeded with the calendar second; kNoRoom when every ring is empty. Moving
  // inwards shortens the flood interval (10, 7, 4, then 1 s).
  static std::uint32_t DesignateRoomForFlooding();
  // Designates a room, gives it a "FloodCube" and starts its warning.
  static void FloodRoom();

  // Index of `roomID` in ring 1-4, kNoRoom if absent or no such ring.
  [[nodiscard]] static std::uint32_t GetPositionInRing(std::uint32_t ring, std::uint32_t roomID);
  // Erases `roomID` from ring 1-4, keeping the others' order; absent ids are ignored.
  static void RemoveRoomFromRing(std::uint32_t ring, std::uint32_t roomID);
  // Whether the room at `position` of "Ring1" ... "Ring4" is filling.
  [[nodiscard]] static bool IsARingFlooding(const std::string& ringName, std::uint32_t position);
  // Whether any room of any ring is filling (a warning does not count).
  [[nodiscard]] static bool IsARoomFlooding();

  // Read access for hosts and tests. Ring numbers other than 1-4 read as empty.
  [[nodiscard]] static const Ring& GetRing(std::uint32_t ring);
  [[nodiscard]] static float GetTimeSinceLastFlood();
  [[nodiscard]] static float GetTimeBetweenFloods();
  // Kept for the level's owner; nothing here changes it.
  [[nodiscard]] static std::uint32_t GetNumberOfFloodedRooms();
  static void SetNumberOfFloodedRooms(std::uint32_t count);

 private:
  static RoomTable& RoomMap();
  static Ring& RingOne();
  static Ring& RingTwo();
  static Ring& RingThree();
  static Ring& RingFour();
  static Ring* RingNumber(std::uint32_t ring);
  static std::uint32_t& NumberOfRooms();
  static std::uint32_t& NumberOfFloodedRooms();
  static float& TimeSinceLastFlood();
  static float& TimeBetweenFloods();
};
