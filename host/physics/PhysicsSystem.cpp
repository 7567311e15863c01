#include "physics/PhysicsSystem.h"

#include <algorithm>
#include <cmath>

#include "app/HostListener.h"
#include "components/Collider.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/ObjectMessages.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

constexpr std::uint32_t kListenedTypes[] = {MT_PHYSICS, MT_CREATED_COMPONENT, MT_DESTROYED_COMPONENT,
                                            MT_DESTROYED_OBJECT};
// Below this, an overlap or a gap is rounding, not contact or penetration.
constexpr float kTolerance = 1e-3f;
constexpr float kCellSize = 8.0f;
// A static body over this many cells is checked against everything instead.
constexpr std::int64_t kMaxCellsPerBody = 256;

std::uint64_t PairKey(ObjectID a, ObjectID b) {
  const ObjectID low = std::min(a, b);
  const ObjectID high = std::max(a, b);
  return (static_cast<std::uint64_t>(low) << 32) | high;
}

std::int64_t Cell(float coordinate) { return static_cast<std::int64_t>(std::floor(coordinate / kCellSize)); }

std::int64_t CellKey(std::int64_t x, std::int64_t z) { return (x << 32) ^ (z & 0xFFFFFFFF); }

bool IsBodyPart(ComponentType type) { return type == CT_Transform || type == CT_Collider || type == CT_RigidBody; }

}  // namespace

PhysicsSystem::PhysicsSystem() : System(L"Physics") {}

void PhysicsSystem::Initialize() {
  for (const std::uint32_t type : kListenedTypes) {
    const auto messageType = static_cast<MessageType>(type);
    Engine::RegisterListener(messageType,
                             Callable(HostListenerID(HostListenerOwner::Physics, type),
                                      [this](const std::shared_ptr<Message>& message) { OnMessage(message); }));
  }
}

int PhysicsSystem::Release() {
  for (const std::uint32_t type : kListenedTypes) {
    Engine::UnregisterListener(static_cast<MessageType>(type),
                               Callable(HostListenerID(HostListenerOwner::Physics, type), nullptr));
  }
  mBodies.clear();
  mContacts.clear();
  mGrid.clear();
  return 0;
}

void PhysicsSystem::OnMessage(const std::shared_ptr<Message>& message) {
  switch (message->GetMessageId()) {
    case MT_PHYSICS:
      OnPhysicsRequest(static_cast<const PhysicsMessage&>(*message));
      break;
    case MT_CREATED_COMPONENT: {
      const auto& created = static_cast<const CreatedComponentMessage&>(*message);
      if (!IsBodyPart(created.GetComponentType())) break;
      if (const auto component = created.GetComponentPTR().lock()) {
        if (const auto object = component->GetParent().lock()) Refresh(object);
      }
      break;
    }
    case MT_DESTROYED_COMPONENT: {
      const auto& destroyed = static_cast<const DestroyedComponentMessage&>(*message);
      if (!IsBodyPart(destroyed.GetComponentType())) break;
      if (const auto component = destroyed.GetComponentPTR().lock()) {
        if (const auto object = component->GetParent().lock()) Refresh(object);
      }
      break;
    }
    case MT_DESTROYED_OBJECT:
      Forget(static_cast<const DestroyedObjectMessage&>(*message).GetObjectID());
      break;
    default:
      break;
  }
}

void PhysicsSystem::OnPhysicsRequest(const PhysicsMessage& request) {
  switch (request.mKind) {
    case PMT_SET_VELOCITY:
      if (Body* body = FindOrTrack(request.mObjectID)) {
        body->requested = (body->hasRequest ? body->requested : Vector3(0.0f)) + request.mVector;
        body->hasRequest = true;
      }
      break;
    case PMT_SET_POSITION:
      if (Body* body = FindOrTrack(request.mObjectID)) {
        // A door or pod on the move changes only its own cells.
        const bool regrid = !body->dynamic && body->collider && !mGridDirty;
        if (regrid) Unplace(*body);
        body->transform->SetWorldPosition(request.mVector);
        if (regrid) Place(*body);
      } else if (const auto object = Engine::mFactory.GetObjectWithID(request.mObjectID).lock()) {
        // Not a body (flood water, lights): it is only placed.
        if (const auto transform = object->GetComponentAs<Transform>(CT_Transform)) {
          transform->SetWorldPosition(request.mVector);
        }
      }
      break;
    case PMT_SET_COLLISION_GROUP:
      if (Body* body = FindOrTrack(request.mObjectID)) body->group = request.mCollisionGroup;
      break;
    default:
      break;
  }
}

void PhysicsSystem::Refresh(const std::shared_ptr<Object>& object) {
  const ObjectID id = object->GetID();
  if (Engine::mFactory.GetObjectWithID(id).lock() != object) {
    Forget(id);
    return;
  }
  auto transform = object->GetComponentAs<Transform>(CT_Transform);
  auto collider = object->GetComponentAs<Collider>(CT_Collider);
  auto rigidBody = object->GetComponentAs<RigidBody>(CT_RigidBody);
  if (!transform || (!collider && !rigidBody)) {
    Forget(id);
    return;
  }
  const auto [found, isNew] = mBodies.try_emplace(id);
  Body& body = found->second;
  body.id = id;
  body.object = object;
  body.transform = std::move(transform);
  body.collider = std::move(collider);
  body.rigidBody = std::move(rigidBody);
  const bool wasDynamic = body.dynamic;
  body.dynamic = body.rigidBody && !body.rigidBody->IsStatic();
  if (isNew && body.rigidBody) body.velocity = body.rigidBody->GetVelocity();
  body.halfExtents = Vector3(0.0f);
  if (body.collider) {
    switch (body.collider->GetShapeType()) {
      case ST_Sphere:
        body.halfExtents = Vector3(body.collider->GetRadius());
        break;
      case ST_Obb:
        body.halfExtents = body.collider->GetObbWorldHalfExtents();
        break;
      default:
        body.halfExtents = body.collider->GetHalfExtents();
        break;
    }
  }
  if (isNew || !body.dynamic || wasDynamic != body.dynamic) mGridDirty = true;
}

void PhysicsSystem::Forget(ObjectID id) {
  const auto found = mBodies.find(id);
  if (found == mBodies.end()) return;
  if (!found->second.dynamic) mGridDirty = true;
  mBodies.erase(found);
  // The object is gone: its contacts end without a word, nobody is left to hear of them.
  std::erase_if(mContacts, [id](std::uint64_t key) {
    return static_cast<ObjectID>(key >> 32) == id || static_cast<ObjectID>(key & 0xFFFFFFFF) == id;
  });
}

PhysicsSystem::Body* PhysicsSystem::Find(ObjectID id) {
  const auto found = mBodies.find(id);
  return found == mBodies.end() ? nullptr : &found->second;
}

PhysicsSystem::Body* PhysicsSystem::FindOrTrack(ObjectID id) {
  if (Body* body = Find(id)) return body;
  // A projectile or spawned object is placed before its creation notices
  // have been delivered: take it from the registry now.
  if (const auto object = Engine::mFactory.GetObjectWithID(id).lock()) Refresh(object);
  return Find(id);
}

bool PhysicsSystem::IsStale(const Body& body) {
  return body.transform->IsRetired() || (body.collider && body.collider->IsRetired()) ||
         (body.rigidBody && body.rigidBody->IsRetired());
}

void PhysicsSystem::Update(float timeStep) {
  std::vector<std::shared_ptr<Object>> stale;
  for (const auto& [id, body] : mBodies) {
    if (IsStale(body)) stale.push_back(body.object);
  }
  for (const auto& object : stale) Refresh(object);
  if (mGridDirty) RebuildGrid();

  for (auto& [id, body] : mBodies) {
    if (body.hasRequest) {
      body.velocity = body.requested;
      body.hasRequest = false;
    }
    if (!body.dynamic) continue;
    Move(body, timeStep);
    const float damping = body.rigidBody->GetDamping();
    if (damping < 1.0f) body.velocity *= std::pow(damping, timeStep);
  }
  DetectContacts();
}

void PhysicsSystem::Move(Body& body, float timeStep) {
  const Vector3 displacement = body.velocity * timeStep;
  // Horizontal axes first: bodies walk on a floor.
  for (const int axis : {0, 2, 1}) {
    const float distance = displacement.getElem(axis);
    if (distance != 0.0f) MoveAlongAxis(body, axis, distance);
  }
}

void PhysicsSystem::MoveAlongAxis(Body& body, int axis, float distance) {
  const Box box = BoxOf(body);
  Box swept = box;
  if (distance > 0.0f) {
    swept.max.setElem(axis, swept.max.getElem(axis) + distance);
  } else {
    swept.min.setElem(axis, swept.min.getElem(axis) + distance);
  }
  float allowed = distance;
  if (body.collider) {
    ForEachStaticNear(swept, [&](const Body& other) {
      if (!IsSolidStatic(other) || Ignores(body, other)) return;
      const Box wall = BoxOf(other);
      for (int k = 0; k < 3; ++k) {
        if (k == axis) continue;
        const float overlap =
            std::min(box.max.getElem(k), wall.max.getElem(k)) - std::max(box.min.getElem(k), wall.min.getElem(k));
        if (overlap <= kTolerance) return;
      }
      const float penetration = std::min(box.max.getElem(axis), wall.max.getElem(axis)) -
                                std::max(box.min.getElem(axis), wall.min.getElem(axis));
      // Already inside (a door came down on it): let it walk out.
      if (penetration > kTolerance) return;
      // Only what lies ahead stops it.
      if (distance > 0.0f && wall.min.getElem(axis) >= box.max.getElem(axis) - kTolerance) {
        allowed = std::min(allowed, std::max(0.0f, wall.min.getElem(axis) - box.max.getElem(axis)));
      } else if (distance < 0.0f && wall.max.getElem(axis) <= box.min.getElem(axis) + kTolerance) {
        allowed = std::max(allowed, std::min(0.0f, wall.max.getElem(axis) - box.min.getElem(axis)));
      }
    });
  }
  if (allowed == 0.0f) return;
  Vector3 position = body.transform->GetPosition();
  position.setElem(axis, position.getElem(axis) + allowed);
  body.transform->SetWorldPosition(position);
}

void PhysicsSystem::DetectContacts() {
  auto touching = [](const Box& a, const Box& b) {
    for (int k = 0; k < 3; ++k) {
      if (a.max.getElem(k) + kContactSkin < b.min.getElem(k) || b.max.getElem(k) + kContactSkin < a.min.getElem(k)) {
        return false;
      }
    }
    return true;
  };
  std::vector<std::uint64_t> now;
  std::vector<std::pair<const Body*, Box>> dynamics;
  for (const auto& [id, body] : mBodies) {
    if (body.dynamic && body.collider) dynamics.emplace_back(&body, BoxOf(body));
  }
  // Movers against movers: sweep along the axis they are most spread along,
  // so only neighbours are compared.
  float low[2] = {0.0f, 0.0f};
  float high[2] = {0.0f, 0.0f};
  for (std::size_t i = 0; i < dynamics.size(); ++i) {
    for (int k = 0; k < 2; ++k) {
      const float value = dynamics[i].second.min.getElem(k * 2);
      low[k] = i == 0 ? value : std::min(low[k], value);
      high[k] = i == 0 ? value : std::max(high[k], value);
    }
  }
  const int sweep = high[1] - low[1] > high[0] - low[0] ? 2 : 0;
  std::sort(dynamics.begin(), dynamics.end(), [sweep](const auto& a, const auto& b) {
    return a.second.min.getElem(sweep) < b.second.min.getElem(sweep);
  });
  for (std::size_t i = 0; i < dynamics.size(); ++i) {
    const Body& body = *dynamics[i].first;
    const Box& box = dynamics[i].second;
    Box reach = box;
    reach.min -= Vector3(kContactSkin);
    reach.max += Vector3(kContactSkin);
    ForEachStaticNear(reach, [&](const Body& other) {
      if (other.collider && touching(box, BoxOf(other)) && !Ignores(body, other)) {
        now.push_back(PairKey(body.id, other.id));
      }
    });
    for (std::size_t j = i + 1; j < dynamics.size(); ++j) {
      if (dynamics[j].second.min.getElem(sweep) > reach.max.getElem(sweep)) break;
      const Body& other = *dynamics[j].first;
      if (touching(box, dynamics[j].second) && !Ignores(body, other)) now.push_back(PairKey(body.id, other.id));
    }
  }
  std::sort(now.begin(), now.end());
  now.erase(std::unique(now.begin(), now.end()), now.end());

  auto relay = [](CollisionMessageType kind, std::uint64_t key) {
    Engine::RelayMessage(std::make_shared<CollisionMessage>(L"Physics", kind, static_cast<ObjectID>(key >> 32),
                                                            static_cast<ObjectID>(key & 0xFFFFFFFF)));
  };
  for (const std::uint64_t key : mContacts) {
    if (!std::binary_search(now.begin(), now.end(), key)) relay(CMT_CONTACT_END, key);
  }
  for (const std::uint64_t key : now) {
    if (mContacts.count(key) == 0) relay(CMT_CONTACT_BEGIN, key);
  }
  mContacts = std::set<std::uint64_t>(now.begin(), now.end());
}

bool PhysicsSystem::Ignores(const Body& a, const Body& b) const {
  if (a.group.empty() && b.group.empty()) return false;
  if (!a.group.empty() && a.group == b.group) return true;
  auto ownProjectile = [](const Body& projectile, const Body& owner) {
    static const std::string kSuffix = "projectile";
    const std::string& group = projectile.group;
    const std::string& name = owner.object->GetName();
    return group.size() == name.size() + kSuffix.size() && group.compare(0, name.size(), name) == 0 &&
           group.compare(name.size(), kSuffix.size(), kSuffix) == 0;
  };
  return (!a.group.empty() && ownProjectile(a, b)) || (!b.group.empty() && ownProjectile(b, a));
}

PhysicsSystem::Box PhysicsSystem::BoxOf(const Body& body) {
  const Vector3 position = body.transform->GetPosition();
  return {position - body.halfExtents, position + body.halfExtents};
}

bool PhysicsSystem::IsSolidStatic(const Body& body) {
  return !body.dynamic && body.collider && !body.collider->IsGhost();
}

void PhysicsSystem::RebuildGrid() {
  mGrid.clear();
  mLargeStatics.clear();
  for (auto& [id, body] : mBodies) {
    body.cells.clear();
    body.large = false;
    if (!body.dynamic && body.collider) Place(body);
  }
  mGridDirty = false;
}

void PhysicsSystem::Place(Body& body) {
  const Box box = BoxOf(body);
  const std::int64_t x0 = Cell(box.min.getX() - kContactSkin);
  const std::int64_t x1 = Cell(box.max.getX() + kContactSkin);
  const std::int64_t z0 = Cell(box.min.getZ() - kContactSkin);
  const std::int64_t z1 = Cell(box.max.getZ() + kContactSkin);
  if ((x1 - x0 + 1) * (z1 - z0 + 1) > kMaxCellsPerBody) {
    body.large = true;
    mLargeStatics.push_back(body.id);
    return;
  }
  for (std::int64_t x = x0; x <= x1; ++x) {
    for (std::int64_t z = z0; z <= z1; ++z) {
      body.cells.push_back(CellKey(x, z));
      mGrid[body.cells.back()].push_back(body.id);
    }
  }
}

void PhysicsSystem::Unplace(Body& body) {
  if (body.large) {
    std::erase(mLargeStatics, body.id);
    body.large = false;
  }
  for (const std::int64_t key : body.cells) {
    const auto cell = mGrid.find(key);
    if (cell != mGrid.end()) std::erase(cell->second, body.id);
  }
  body.cells.clear();
}

template <class Visit>
void PhysicsSystem::ForEachStaticNear(const Box& box, Visit&& visit) {
  if (mGridDirty) RebuildGrid();
  std::vector<ObjectID>& ids = mQueryScratch;
  ids.clear();
  ids.insert(ids.end(), mLargeStatics.begin(), mLargeStatics.end());
  const std::int64_t x0 = Cell(box.min.getX());
  const std::int64_t x1 = Cell(box.max.getX());
  const std::int64_t z0 = Cell(box.min.getZ());
  const std::int64_t z1 = Cell(box.max.getZ());
  for (std::int64_t x = x0; x <= x1; ++x) {
    for (std::int64_t z = z0; z <= z1; ++z) {
      const auto cell = mGrid.find(CellKey(x, z));
      if (cell != mGrid.end()) ids.insert(ids.end(), cell->second.begin(), cell->second.end());
    }
  }
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  for (const ObjectID id : ids) {
    const auto found = mBodies.find(id);
    if (found != mBodies.end()) visit(found->second);
  }
}

bool PhysicsSystem::AreTouching(ObjectID a, ObjectID b) const { return mContacts.count(PairKey(a, b)) != 0; }

Vector3 PhysicsSystem::GetVelocity(ObjectID id) const {
  const auto found = mBodies.find(id);
  return found == mBodies.end() ? Vector3(0.0f) : found->second.velocity;
}
