#include "objects/Group.h"

#include <algorithm>
#include <memory>

#include "components/Transform.h"
#include "core/Engine.h"
#include "core/GameFlowMessages.h"
#include "objects/GroupComponent.h"
#include "objects/Object.h"

namespace {

// The command that puts `child` at its offset from the parent, or null when
// the child is gone, is not in a group, or the parent has no position.
std::shared_ptr<Message> PlaceChild(const Object& parent, ObjectID childID) {
  const std::shared_ptr<Object> child = Engine::mFactory.GetObjectWithID(childID).lock();
  if (!child) return nullptr;
  const auto member = child->GetComponentAs<GroupComponent>(CT_GroupComponent);
  const auto transform = parent.GetComponentAs<Transform>(CT_Transform);
  if (!member || !transform) return nullptr;
  const Vectormath::Aos::Vector3 target = transform->GetPosition() + member->GetOffset();
  return std::make_shared<PhysicsMessage>(L"Group", PMT_SET_POSITION, childID, target);
}

}  // namespace

void Group::SetParentObject(std::uint32_t parentID) {
  if (parentID == mParentID) return;
  mParentID = parentID;
  const std::shared_ptr<Object> parent = Engine::mFactory.GetObjectWithID(mParentID).lock();
  if (!parent) return;

  // Collect first, send after: an immediate message runs the host's systems
  // and listeners on this stack, and one of them may add to this very group.
  std::vector<std::shared_ptr<Message>> commands;
  for (const ObjectID childID : mChildren) {
    if (auto command = PlaceChild(*parent, childID)) commands.push_back(std::move(command));
  }
  for (const auto& command : commands) Engine::ImmediateMessage(command);
}

void Group::AddToGroup(std::uint32_t childID) {
  if (std::find(mChildren.begin(), mChildren.end(), childID) != mChildren.end()) return;
  mChildren.push_back(childID);
  const std::shared_ptr<Object> parent = Engine::mFactory.GetObjectWithID(mParentID).lock();
  if (!parent) return;
  if (auto command = PlaceChild(*parent, childID)) Engine::ImmediateMessage(command);
}
