#include "gameplay/RoomHandler.h"

#include <algorithm>
#include <limits>
#include <random>

#include "components/Collider.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "gameplay/RoomComponent.h"
#include "objects/Object.h"
#include "platform/Clock.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr float kFirstFloodInterval = 10.0f;
// Each ring inwards floods 3 s faster: 10, 7, 4, then 1 s between rooms.
constexpr float kIntervalStep = 3.0f;
// The flood cube starts this far below the room and rises to it.
constexpr float kFloodDepth = 8.0f;

// Squared distances from the centre. The small gaps between the bands are
// deliberate: a room that lands in one belongs to no ring and stays dry.
constexpr float kRingOneMax = 4500.0f;
constexpr float kRingTwoMin = 4500.1f;
constexpr float kRingTwoMax = 8500.0f;
constexpr float kRingThreeMin = 8500.1f;
constexpr float kRingThreeMax = 12500.1f;
constexpr float kRingFourMin = 12500.1f;

std::uint32_t RingForSquaredDistance(float d) {
  if (d >= 0.0f && d <= kRingOneMax) return 1;
  if (d >= kRingTwoMin && d <= kRingTwoMax) return 2;
  if (d >= kRingThreeMin && d <= kRingThreeMax) return 3;
  if (d >= kRingFourMin && d <= std::numeric_limits<float>::max()) return 4;
  return 0;
}

std::shared_ptr<Object> RoomObject(std::uint32_t roomID) {
  const auto& rooms = RoomHandler::GetRooms();
  const auto found = rooms.find(roomID);
  if (found == rooms.end()) return nullptr;
  return Engine::mFactory.GetObjectWithID(found->second).lock();
}

}  // namespace

RoomHandler::RoomTable& RoomHandler::RoomMap() {
  static RoomTable rooms;
  return rooms;
}
RoomHandler::Ring& RoomHandler::RingOne() {
  static Ring ring;
  return ring;
}
RoomHandler::Ring& RoomHandler::RingTwo() {
  static Ring ring;
  return ring;
}
RoomHandler::Ring& RoomHandler::RingThree() {
  static Ring ring;
  return ring;
}
RoomHandler::Ring& RoomHandler::RingFour() {
  static Ring ring;
  return ring;
}
std::uint32_t& RoomHandler::NumberOfRooms() {
  static std::uint32_t count = 0;
  return count;
}
std::uint32_t& RoomHandler::NumberOfFloodedRooms() {
  static std::uint32_t count = 0;
  return count;
}
float& RoomHandler::TimeSinceLastFlood() {
  static float seconds = 0.0f;
  return seconds;
}
float& RoomHandler::TimeBetweenFloods() {
  static float seconds = 0.0f;
  return seconds;
}

RoomHandler::Ring* RoomHandler::RingNumber(std::uint32_t ring) {
  switch (ring) {
    case 1:
      return &RingOne();
    case 2:
      return &RingTwo();
    case 3:
      return &RingThree();
    case 4:
      return &RingFour();
    default:
      return nullptr;
  }
}

void RoomHandler::InitializeRooms() {
  NumberOfRooms() = 0;
  TimeBetweenFloods() = kFirstFloodInterval;
}

void RoomHandler::ResetRooms() {
  RoomMap().clear();
  for (std::uint32_t ring = 1; ring <= 4; ++ring) RingNumber(ring)->clear();
  NumberOfRooms() = 0;
  NumberOfFloodedRooms() = 0;
  TimeSinceLastFlood() = 0.0f;
  TimeBetweenFloods() = kFirstFloodInterval;
}

void RoomHandler::IncrementRooms() { ++NumberOfRooms(); }

// Unsigned: decrementing an empty count wraps, as the count's users expect.
void RoomHandler::DecrementRooms() { --NumberOfRooms(); }

std::uint32_t RoomHandler::HowManyRooms() { return NumberOfRooms(); }

RoomHandler::RoomTable& RoomHandler::GetRooms() { return RoomMap(); }

void RoomHandler::AssignRingToRooms() {
  if (NumberOfRooms() < 2) return;
  const auto centre = RoomObject(0);
  const auto centreTransform = centre ? centre->GetComponentAs<Transform>(CT_Transform) : nullptr;
  if (!centreTransform) return;
  const Vector3 c = centreTransform->GetPosition();

  // Rooms 1 .. count - 1 in id order; walking the map keeps a wild count cheap.
  std::vector<std::uint32_t> ids;
  for (const auto& [roomID, objectID] : RoomMap()) {
    if (roomID >= 1 && roomID < NumberOfRooms()) ids.push_back(roomID);
  }
  std::sort(ids.begin(), ids.end());

  for (const std::uint32_t id : ids) {
    const auto object = RoomObject(id);
    if (!object) continue;
    const auto transform = object->GetComponentAs<Transform>(CT_Transform);
    const auto room = object->GetComponentAs<RoomComponent>(CT_RoomComponent);
    if (!transform || !room) continue;
    const std::uint32_t ringNumber = RingForSquaredDistance(lengthSqr(transform->GetPosition() - c));
    if (ringNumber == 0) continue;
    room->SetRoomRing(ringNumber);
    Ring& ring = *RingNumber(ringNumber);
    if (std::find(ring.begin(), ring.end(), id) == ring.end()) ring.push_back(id);
  }
}

void RoomHandler::UpdateTimeSinceLastFlood(float dt) { TimeSinceLastFlood() += dt; }

bool RoomHandler::IsTimeToFlood() { return TimeBetweenFloods() <= TimeSinceLastFlood(); }

std::uint32_t RoomHandler::DesignateRoomForFlooding() {
  std::mt19937 generator(static_cast<std::mt19937::result_type>(Platform::GetClock().CalendarSeconds()));

  // Outermost non-empty ring first; entering a ring shortens the interval once.
  Ring* ring = nullptr;
  if (!RingFour().empty()) {
    ring = &RingFour();
  } else if (!RingThree().empty()) {
    ring = &RingThree();
    if (TimeBetweenFloods() == kFirstFloodInterval) TimeBetweenFloods() -= kIntervalStep;
  } else if (!RingTwo().empty()) {
    ring = &RingTwo();
    if (TimeBetweenFloods() == kFirstFloodInterval - kIntervalStep) TimeBetweenFloods() -= kIntervalStep;
  } else if (!RingOne().empty()) {
    ring = &RingOne();
    if (TimeBetweenFloods() == kFirstFloodInterval - 2.0f * kIntervalStep) TimeBetweenFloods() -= kIntervalStep;
  }
  if (ring == nullptr) return kNoRoom;

  std::uniform_int_distribution<std::uint32_t> pick(0, static_cast<std::uint32_t>(ring->size() - 1));
  return (*ring)[pick(generator)];
}

void RoomHandler::FloodRoom() {
  const std::uint32_t id = DesignateRoomForFlooding();
  if (id == kNoRoom) return;
  const auto object = RoomObject(id);
  if (!object) return;
  const auto cube = Engine::mFactory.CreateArchetypedObject(L"FloodCube").lock();
  if (!cube) return;

  const auto room = object->GetComponentAs<RoomComponent>(CT_RoomComponent);
  const auto transform = object->GetComponentAs<Transform>(CT_Transform);
  if (room && transform) {
    const Vector3 p = transform->GetPosition();
    const Vector3 start(p.getX(), p.getY() - kFloodDepth, p.getZ());
    Engine::ImmediateMessage(std::make_shared<PhysicsMessage>(L"RoomHandler", PMT_SET_POSITION, cube->GetID(), start));
    room->SetFloodFeedbackStartPosition(start);
    room->SetFloodID(cube->GetID());
    room->SetFillRoomSignal(true);
    TimeSinceLastFlood() = 0.0f;
  }

  // The water takes the room's size.
  const auto collider = object->GetComponentAs<Collider>(CT_Collider);
  const auto cubeTransform = cube->GetComponentAs<Transform>(CT_Transform);
  if (collider && cubeTransform) cubeTransform->SetWorldScalar(collider->GetHalfExtents() * 2.0f);
}

std::uint32_t RoomHandler::GetPositionInRing(std::uint32_t ring, std::uint32_t roomID) {
  const Ring* rooms = RingNumber(ring);
  if (rooms == nullptr) return kNoRoom;
  const auto found = std::find(rooms->begin(), rooms->end(), roomID);
  if (found == rooms->end()) return kNoRoom;
  return static_cast<std::uint32_t>(found - rooms->begin());
}

void RoomHandler::RemoveRoomFromRing(std::uint32_t ring, std::uint32_t roomID) {
  Ring* rooms = RingNumber(ring);
  if (rooms == nullptr) return;
  const auto found = std::find(rooms->begin(), rooms->end(), roomID);
  if (found != rooms->end()) rooms->erase(found);
}

bool RoomHandler::IsARingFlooding(const std::string& ringName, std::uint32_t position) {
  std::uint32_t ringNumber = 0;
  if (ringName == "Ring1") {
    ringNumber = 1;
  } else if (ringName == "Ring2") {
    ringNumber = 2;
  } else if (ringName == "Ring3") {
    ringNumber = 3;
  } else if (ringName == "Ring4") {
    ringNumber = 4;
  } else {
    return false;
  }
  const Ring& ring = *RingNumber(ringNumber);
  if (position >= ring.size()) return false;
  const auto object = RoomObject(ring[position]);
  const auto room = object ? object->GetComponentAs<RoomComponent>(CT_RoomComponent) : nullptr;
  return room && room->IsRoomFilling();
}

bool RoomHandler::IsARoomFlooding() {
  for (std::uint32_t ring = 1; ring <= 4; ++ring) {
    for (const std::uint32_t id : *RingNumber(ring)) {
      const auto object = RoomObject(id);
      const auto room = object ? object->GetComponentAs<RoomComponent>(CT_RoomComponent) : nullptr;
      if (room && room->IsRoomFilling()) return true;
    }
  }
  return false;
}

const RoomHandler::Ring& RoomHandler::GetRing(std::uint32_t ring) {
  static const Ring kEmpty;
  const Ring* rooms = RingNumber(ring);
  return rooms != nullptr ? *rooms : kEmpty;
}

float RoomHandler::GetTimeSinceLastFlood() { return TimeSinceLastFlood(); }

float RoomHandler::GetTimeBetweenFloods() { return TimeBetweenFloods(); }

std::uint32_t RoomHandler::GetNumberOfFloodedRooms() { return NumberOfFloodedRooms(); }

void RoomHandler::SetNumberOfFloodedRooms(std::uint32_t count) { NumberOfFloodedRooms() = count; }
