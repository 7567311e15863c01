#include "support/ScenarioPhysics.h"

#include <cmath>

#include "components/Collider.h"
#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "objects/Object.h"

using Vectormath::Aos::Vector3;

namespace {

// A host listener id, well away from the ids components derive for themselves.
constexpr ListenerID kListenerID = 0x5C0000;

std::shared_ptr<Transform> TransformOf(ObjectID id) {
  const auto object = Engine::mFactory.GetObjectWithID(id).lock();
  return object ? object->GetComponentAs<Transform>(CT_Transform) : nullptr;
}

bool Overlap(const Collider& a, const Collider& b) {
  const Vector3 minA = a.GetAabbMin();
  const Vector3 maxA = a.GetAabbMax();
  const Vector3 minB = b.GetAabbMin();
  const Vector3 maxB = b.GetAabbMax();
  for (int axis = 0; axis < 3; ++axis) {
    if (maxA[axis] <= minB[axis] || maxB[axis] <= minA[axis]) return false;
  }
  return true;
}

}  // namespace

ScenarioPhysics::ScenarioPhysics() : System(L"Physics") {
  Engine::RegisterListener(MT_PHYSICS,
                           Callable(kListenerID, [this](const std::shared_ptr<Message>& message) { Apply(message); }));
}

ScenarioPhysics::~ScenarioPhysics() { Engine::UnregisterListener(MT_PHYSICS, Callable(kListenerID, nullptr)); }

void ScenarioPhysics::Apply(const std::shared_ptr<Message>& message) {
  if (!message || message->GetMessageId() != MT_PHYSICS) return;
  const auto& request = static_cast<const PhysicsMessage&>(*message);
  if (request.mKind == PMT_SET_VELOCITY) {
    mVelocities[request.mObjectID] = request.mVector;
  } else if (request.mKind == PMT_SET_POSITION) {
    Place(request.mObjectID, request.mVector);
  }
}

void ScenarioPhysics::Update(float dt) {
  for (const auto& [id, velocity] : mVelocities) {
    const auto transform = TransformOf(id);
    if (transform) transform->SetWorldPosition(transform->GetPosition() + velocity * dt);
  }
  DetectContacts();
}

void ScenarioPhysics::DetectContacts() {
  std::vector<std::pair<ObjectID, std::shared_ptr<Collider>>> bodies;
  for (const auto& [id, object] : Engine::mFactory.GetObjects()) {
    auto collider = object->GetComponentAs<Collider>(CT_Collider);
    if (collider && object->GetComponentAs<Transform>(CT_Transform)) bodies.emplace_back(id, std::move(collider));
  }
  std::set<std::pair<ObjectID, ObjectID>> now;
  for (std::size_t i = 0; i < bodies.size(); ++i) {
    for (std::size_t j = i + 1; j < bodies.size(); ++j) {
      if (Overlap(*bodies[i].second, *bodies[j].second)) now.emplace(bodies[i].first, bodies[j].first);
    }
  }
  for (const auto& pair : mContacts) {
    if (now.count(pair) == 0) Part(pair.first, pair.second);
  }
  for (const auto& pair : now) {
    if (mContacts.count(pair) == 0) Touch(pair.first, pair.second);
  }
  mContacts = std::move(now);
}

void ScenarioPhysics::Touch(ObjectID a, ObjectID b) {
  Engine::RelayMessage(std::make_shared<CollisionMessage>(L"Physics", CMT_CONTACT_BEGIN, a, b));
}

void ScenarioPhysics::Part(ObjectID a, ObjectID b) {
  Engine::RelayMessage(std::make_shared<CollisionMessage>(L"Physics", CMT_CONTACT_END, a, b));
}

void ScenarioPhysics::Place(ObjectID id, const Vector3& position) {
  const auto transform = TransformOf(id);
  if (transform) transform->SetWorldPosition(position);
}

void RunFrame(float dt, Platform::VirtualClock* clock) {
  if (clock != nullptr) clock->Advance(std::llround(static_cast<double>(dt) * 1000.0));
  Engine::RelayMessage(std::make_shared<TimeUpdateMessage>(L"Core\\Engine", dt));
  for (System* system : Engine::GetSystems()) {
    if (system != nullptr) system->Update(dt);
  }
  Engine::BroadcastMessages();
}
