#include "physics/PhysicsSystem.h"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/HostListener.h"
#include "components/Collider.h"
#include "components/RigidBody.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "core/ObjectMessages.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;
using Motion = BulletWorld::Motion;

namespace {

constexpr std::uint32_t kListenedTypes[] = {MT_PHYSICS, MT_CREATED_COMPONENT, MT_DESTROYED_COMPONENT,
                                            MT_DESTROYED_OBJECT};

bool IsBodyPart(ComponentType type) { return type == CT_Transform || type == CT_Collider || type == CT_RigidBody; }

bool Same(const Vector3& a, const Vector3& b) {
  return a.getX() == b.getX() && a.getY() == b.getY() && a.getZ() == b.getZ();
}

Vector3 Abs(const Vector3& v) { return {std::fabs(v.getX()), std::fabs(v.getY()), std::fabs(v.getZ())}; }

// Starts fetching every cache line of [from, to).
void FetchSpan(const void* from, const void* to) {
  constexpr std::uintptr_t kLine = 64;
  const auto end = reinterpret_cast<std::uintptr_t>(to);
  for (auto line = reinterpret_cast<std::uintptr_t>(from) & ~(kLine - 1); line < end; line += kLine) {
    __builtin_prefetch(reinterpret_cast<const void*>(line));
  }
}

// A mover and its components lie wherever the heap put them; in a large level
// each is a cache miss, often two (a component's flags and fields straddle a
// line). While one mover is worked on, the bodies a few places ahead and the
// parts of nearer ones are already on their way. Only the parts a pass reads
// are fetched: the lines in flight at once are few, and a wasted one delays
// the others. Before the step: the components; after it: the Bullet body and
// what setting the position writes.
enum class Pass { BeforeStep, AfterStep };

template <Pass pass, typename Mover>
void FetchAhead(const std::vector<Mover*>& movers, std::size_t at) {
  constexpr std::size_t kBodiesAhead = 16;
  constexpr std::size_t kPartsAhead = 8;
  if (at + kBodiesAhead < movers.size()) {
    // The fields read every step come first in a mover, up to its motion.
    const Mover* ahead = movers[at + kBodiesAhead];
    FetchSpan(ahead, &ahead->setup.motion + 1);
  }
  if (at + kPartsAhead >= movers.size()) return;
  const Mover& mover = *movers[at + kPartsAhead];
  // The component's own flags and the position that follows them.
  FetchSpan(mover.transform.get(), &mover.transform->GetPosition() + 1);
  if constexpr (pass == Pass::BeforeStep) {
    FetchSpan(mover.collider.get(), mover.collider.get() + 1);
    if (mover.rigidBody) FetchSpan(mover.rigidBody.get(), mover.rigidBody.get() + 1);
  } else {
    BulletWorld::Prefetch(mover.rigid);
    // Setting the position also rewrites the Transform's translation matrix.
    const auto& translation = mover.transform->GetTransformData().mTranslation;
    FetchSpan(&translation, &translation + 1);
  }
}

}  // namespace

PhysicsSystem::PhysicsSystem(std::shared_ptr<Match> match) : System(L"Physics"), mGuard(std::move(match)) {
  // A pair about to be made meets the ghost flags as they are now, also
  // those of static bodies that nothing came near before.
  mWorld.OnNewPair([this](void* first, void* second) {
    for (void* user : {first, second}) {
      for (Body* member : static_cast<Solid*>(user)->members) SetGhost(*member, member->collider->IsGhost());
    }
  });
}

PhysicsSystem::~PhysicsSystem() { mBodies.clear(); }

void PhysicsSystem::Initialize() {
  for (const std::uint32_t type : kListenedTypes) {
    Engine::RegisterListener(static_cast<MessageType>(type),
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
  mMovers.clear();
  mPiles.clear();
  mContacts.Clear();
  return 0;
}

void PhysicsSystem::OnMessage(const std::shared_ptr<Message>& message) {
  switch (message->GetMessageId()) {
    case MT_PHYSICS:
      OnPhysicsRequest(static_cast<const PhysicsMessage&>(*message));
      break;
    case MT_CREATED_COMPONENT:
      OnComponentNotice(static_cast<const CreatedComponentMessage&>(*message));
      break;
    case MT_DESTROYED_COMPONENT:
      OnComponentNotice(static_cast<const DestroyedComponentMessage&>(*message));
      break;
    case MT_DESTROYED_OBJECT:
      Forget(static_cast<const DestroyedObjectMessage&>(*message).GetObjectID());
      break;
    default:
      break;
  }
}

template <class Notice>
void PhysicsSystem::OnComponentNotice(const Notice& notice) {
  if (!IsBodyPart(notice.GetComponentType())) return;
  if (const auto component = notice.GetComponentPTR().lock()) {
    if (const auto object = component->GetParent().lock()) Refresh(object);
  }
}

void PhysicsSystem::OnPhysicsRequest(const PhysicsMessage& request) {
  switch (request.mKind) {
    case PMT_SET_VELOCITY:
      if (Body* body = FindOrTrack(request.mObjectID)) {
        const auto velocity = mGuard.Check(body->id, body->object->GetName(), ValueLimits::kSpeed, request.mVector);
        if (!velocity) break;
        body->requested = (body->hasRequest ? body->requested : Vector3(0.0f)) + *velocity;
        body->hasRequest = true;
      }
      break;
    case PMT_SET_POSITION:
      if (Body* body = FindOrTrack(request.mObjectID)) {
        MoveTo(*body, request.mVector);
      } else if (const auto object = Engine::mFactory.GetObjectWithID(request.mObjectID).lock()) {
        // Not a body (flood water, flares, lights): it is only placed.
        const auto transform = object->GetComponentAs<Transform>(CT_Transform);
        const auto position = mGuard.Check(object->GetID(), object->GetName(), ValueLimits::kPosition, request.mVector);
        if (transform && position) transform->SetWorldPosition(*position);
      }
      break;
    case PMT_SET_COLLISION_GROUP:
      if (Body* body = FindOrTrack(request.mObjectID)) {
        body->group = request.mCollisionGroup;
        Refresh(body->object);
      }
      break;
    default:
      break;
  }
}

PhysicsSystem::Body* PhysicsSystem::Find(ObjectID id) {
  const auto found = mBodies.find(id);
  return found == mBodies.end() ? nullptr : &found->second;
}

PhysicsSystem::Body* PhysicsSystem::FindOrTrack(ObjectID id) {
  if (Body* body = Find(id)) return body;
  // A shot or a spawned object is placed before its creation notices have
  // been delivered: take it from the registry now.
  if (const auto object = Engine::mFactory.GetObjectWithID(id).lock()) Refresh(object);
  return Find(id);
}

Vector3 PhysicsSystem::SanePosition(Body& body, const Vector3& position) {
  Vector3 sane(0.0f);
  for (int axis = 0; axis < 3; ++axis) {
    const auto value = mGuard.Check(body.id, body.object->GetName(), ValueLimits::kPosition, position.getElem(axis));
    sane.setElem(axis, value.value_or(0.0f));
  }
  return sane;
}

BulletWorld::Setup PhysicsSystem::SetupOf(Body& body) {
  const std::string& name = body.object->GetName();
  BulletWorld::Setup setup;
  const bool dynamic = body.rigidBody && !body.rigidBody->IsStatic();
  setup.motion = dynamic ? Motion::Dynamic : (body.moved ? Motion::Kinematic : Motion::Static);

  const Collider& collider = *body.collider;
  Vector3 half = collider.GetHalfExtents();
  if (collider.GetShapeType() == ST_Obb) {
    const auto scale = mGuard.Check(body.id, name, ValueLimits::kScale, body.transform->GetScale());
    half = Abs(Vectormath::Aos::mulPerElem(collider.GetObbLocalScale(), scale.value_or(Vector3(1.0f)))) * 0.5f;
  }
  for (int axis = 0; axis < 3; ++axis) {
    half.setElem(axis, mGuard.Check(body.id, name, ValueLimits::kHalfExtent, half.getElem(axis)).value_or(0.0f));
  }
  setup.shape = {collider.GetShapeType() == ST_Sphere, half.getX(), half.getY(), half.getZ()};

  if (dynamic) {
    const float mass = mGuard.Check(body.id, name, ValueLimits::kMass, body.rigidBody->GetMass()).value_or(1.0f);
    // A body that moves needs a mass; one written as 0 weighs as a default body.
    setup.mass = mass > 0.0f ? mass : 1.0f;
    setup.gravity = body.rigidBody->GetUseGravity();
    body.keep = mGuard.Check(body.id, name, ValueLimits::kDamping, body.rigidBody->GetDamping()).value_or(1.0f);
  }
  setup.filter = mGroups.FilterOf(dynamic, name, body.group);
  std::string changed;
  if (mGroups.TakeOverflow(changed)) {
    mGuard.Warn(0, "physics", "collision groups", "too many collision groups: '" + changed + "' acts as none");
  }
  return setup;
}

void PhysicsSystem::Refresh(const std::shared_ptr<Object>& object) {
  const ObjectID id = object->GetID();
  if (Engine::mFactory.GetObjectWithID(id).lock() != object) {
    Forget(id);
    return;
  }
  auto transform = object->GetComponentAs<Transform>(CT_Transform);
  auto collider = object->GetComponentAs<Collider>(CT_Collider);
  if (!transform || !collider) {
    Forget(id);
    return;
  }
  const auto [found, isNew] = mBodies.try_emplace(id);
  Body& body = found->second;
  // A Transform replaced mid-match puts the body where the new one says.
  const bool replaced = !isNew && body.transform != transform;
  body.id = id;
  body.object = object;
  body.transform = std::move(transform);
  body.collider = std::move(collider);
  body.rigidBody = object->GetComponentAs<RigidBody>(CT_RigidBody);
  const BulletWorld::Setup setup = SetupOf(body);
  std::string owner;
  const bool newOwner = mGroups.TakeNewOwner(owner);

  if (isNew) {
    body.setup = setup;
    body.ghost = body.collider->IsGhost();
    body.synced = SanePosition(body, body.transform->GetPosition());
    body.transform->SetWorldPosition(body.synced);
    Attach(body, body.synced);
    if (setup.motion == Motion::Dynamic) {
      const auto velocity = mGuard.Check(id, object->GetName(), ValueLimits::kSpeed, body.rigidBody->GetVelocity());
      BulletWorld::SetVelocity(body.rigid, velocity.value_or(Vector3(0.0f)));
    }
  } else if (!(setup == body.setup) || replaced) {
    const Vector3 velocity = BulletWorld::VelocityOf(body.rigid);
    Detach(body);
    body.setup = setup;
    if (replaced) {
      body.synced = SanePosition(body, body.transform->GetPosition());
      body.transform->SetWorldPosition(body.synced);
    }
    Attach(body, body.synced);
    if (setup.motion == Motion::Dynamic) BulletWorld::SetVelocity(body.rigid, velocity);
  }
  if (newOwner) Refilter(owner);
}

void PhysicsSystem::Refilter(const std::string& objectName) {
  std::vector<std::shared_ptr<Object>> named;
  for (const auto& [id, body] : mBodies) {
    if (body.object->GetName() == objectName) named.push_back(body.object);
  }
  for (const auto& object : named) Refresh(object);
}

void PhysicsSystem::Forget(ObjectID id) {
  const auto found = mBodies.find(id);
  if (found == mBodies.end()) return;
  Detach(found->second);
  mBodies.erase(found);
  mContacts.Forget(id);
}

void PhysicsSystem::Attach(Body& body, const Vector3& position) {
  std::array<std::uint32_t, 9> key{};
  if (body.setup.motion == Motion::Static) {
    const BulletWorld::Shape& shape = body.setup.shape;
    key = {std::bit_cast<std::uint32_t>(position.getX()),
           std::bit_cast<std::uint32_t>(position.getY()),
           std::bit_cast<std::uint32_t>(position.getZ()),
           std::bit_cast<std::uint32_t>(shape.sphere ? -shape.x : shape.x),
           std::bit_cast<std::uint32_t>(shape.y),
           std::bit_cast<std::uint32_t>(shape.z),
           static_cast<std::uint32_t>(body.setup.filter.category),
           static_cast<std::uint32_t>(body.setup.filter.mask),
           0};
    if (const auto pile = mPiles[key].lock()) body.solid = pile;
  }
  if (!body.solid) {
    body.solid = std::make_shared<Solid>(mWorld);
    body.solid->rigid = mWorld.Add(body.setup, true, position, body.solid.get());
    if (body.setup.motion == Motion::Static) {
      body.solid->piled = true;
      body.solid->pileKey = key;
      mPiles[key] = body.solid;
    }
  }
  Solid& solid = *body.solid;
  body.rigid = solid.rigid;
  body.memberIndex = solid.members.size();
  solid.members.push_back(&body);
  if (body.setup.motion != Motion::Static) {
    body.moverIndex = mMovers.size();
    mMovers.push_back(&body);
  }
  if (!body.ghost && solid.solidMembers++ == 0) BulletWorld::SetGhost(solid.rigid, false);
}

void PhysicsSystem::Detach(Body& body) {
  if (!body.solid) return;
  if (body.moverIndex != kNotMoving) {
    mMovers[body.moverIndex] = mMovers.back();
    mMovers[body.moverIndex]->moverIndex = body.moverIndex;
    mMovers.pop_back();
    body.moverIndex = kNotMoving;
  }
  Solid& solid = *body.solid;
  Body* last = solid.members.back();
  solid.members[body.memberIndex] = last;
  last->memberIndex = body.memberIndex;
  solid.members.pop_back();
  if (!body.ghost && --solid.solidMembers == 0) BulletWorld::SetGhost(solid.rigid, true);
  if (solid.members.empty() && solid.piled) mPiles.erase(solid.pileKey);
  body.solid.reset();
  body.rigid = nullptr;
}

void PhysicsSystem::SetGhost(Body& body, bool ghost) {
  if (body.ghost == ghost) return;
  body.ghost = ghost;
  Solid& solid = *body.solid;
  if (ghost && --solid.solidMembers == 0) BulletWorld::SetGhost(solid.rigid, true);
  if (!ghost && solid.solidMembers++ == 0) BulletWorld::SetGhost(solid.rigid, false);
}

void PhysicsSystem::MoveTo(Body& body, const Vector3& target) {
  const auto position = mGuard.Check(body.id, body.object->GetName(), ValueLimits::kPosition, target);
  if (!position) return;
  if (body.setup.motion == Motion::Static) {
    // Doors and pods: moved by request from now on, pushing what is in the way.
    Detach(body);
    body.moved = true;
    body.setup.motion = Motion::Kinematic;
    Attach(body, body.synced);
  }
  mWorld.Place(body.rigid, *position);
  body.transform->SetWorldPosition(*position);
  body.synced = *position;
}

Vector3 PhysicsSystem::GetVelocity(ObjectID id) const {
  const auto found = mBodies.find(id);
  return found == mBodies.end() ? Vector3(0.0f) : BulletWorld::VelocityOf(found->second.rigid);
}

void PhysicsSystem::Sync(Body& body, std::vector<std::shared_ptr<Object>>& stale) {
  if (body.transform->IsRetired() || body.collider->IsRetired() || (body.rigidBody && body.rigidBody->IsRetired())) {
    stale.push_back(body.object);
    return;
  }
  SetGhost(body, body.collider->IsGhost());
}

void PhysicsSystem::SyncSolid(Solid& solid, std::vector<std::shared_ptr<Object>>& stale) {
  if (solid.syncedStep == mStep) return;
  solid.syncedStep = mStep;
  for (Body* member : solid.members) Sync(*member, stale);
}

void PhysicsSystem::BeforeStep() {
  ++mStep;
  std::vector<std::shared_ptr<Object>> stale;
  mWorld.Near(mTouchingScratch);
  for (const auto& [first, second] : mTouchingScratch) {
    for (void* user : {first, second}) {
      Solid& solid = *static_cast<Solid*>(user);
      if (!solid.members.empty() && solid.members.front()->setup.motion == Motion::Static) SyncSolid(solid, stale);
    }
  }
  // Index loop: a request may turn a body static again only through Refresh, after the loop.
  for (std::size_t i = 0; i < mMovers.size(); ++i) {
    FetchAhead<Pass::BeforeStep>(mMovers, i);
    Body& body = *mMovers[i];
    Sync(body, stale);
    // Moved by someone else than the physics: taken as a position request.
    if (!Same(body.transform->GetPosition(), body.synced)) MoveTo(body, body.transform->GetPosition());
    if (body.setup.motion != Motion::Dynamic) {
      body.hasRequest = false;
      continue;
    }
    if (body.hasRequest) {
      const auto velocity = mGuard.Check(body.id, body.object->GetName(), ValueLimits::kSpeed, body.requested);
      BulletWorld::SetVelocity(body.rigid, velocity.value_or(Vector3(0.0f)));
      body.hasRequest = false;
    }
    const Vector3 force = body.rigidBody->GetNetForce();
    if (!Same(force, Vector3(0.0f))) {
      BulletWorld::ApplyForce(body.rigid, force);
      body.rigidBody->ClearForces();
    }
  }
  for (const auto& object : stale) Refresh(object);
}

void PhysicsSystem::AfterStep(float simulated) {
  for (std::size_t i = 0; i < mMovers.size(); ++i) {
    FetchAhead<Pass::AfterStep>(mMovers, i);
    Body& body = *mMovers[i];
    if (body.setup.motion != Motion::Dynamic) continue;
    btRigidBody* rigid = body.rigid;
    const Vector3 position = BulletWorld::PositionOf(rigid);
    if (!Same(position, body.synced)) {
      // Kept inside the world's bounds: a body thrown out of it stops at the edge.
      body.synced = SanePosition(body, position);
      if (!Same(position, body.synced)) mWorld.Place(rigid, body.synced);
      body.transform->SetWorldPosition(body.synced);
    }
    if (body.keep < 1.0f) {
      BulletWorld::SetVelocity(rigid, BulletWorld::VelocityOf(rigid) * std::pow(body.keep, simulated));
    }
  }
  mWorld.Touching(mTouchingScratch);
  mPairScratch.clear();
  for (const auto& [first, second] : mTouchingScratch) {
    const auto& a = static_cast<const Solid*>(first)->members;
    const auto& b = static_cast<const Solid*>(second)->members;
    for (const Body* one : a) {
      for (const Body* other : b) mPairScratch.push_back(ContactTracker::Pair(one->id, other->id));
    }
  }
  mContacts.Update(mPairScratch);
}

void PhysicsSystem::Update(float timeStep) {
  BeforeStep();
  const float simulated = mWorld.Step(timeStep);
  if (simulated > 0.0f) AfterStep(simulated);
}
