#include "objects/Object.h"

#include <array>
#include <cstddef>
#include <vector>

#include "core/Engine.h"
#include "core/MessagePool.h"
#include "core/ObjectMessages.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/ObjectText.h"

META::MetaData Object::meta_("Object", sizeof(Object), META::MetaManager::Get("Component"), false, &WriteObjectBlock,
                             &ReadObjectBlock);

Object::Object() = default;

Object& Object::operator=(const Object& other) {
  if (this == &other) return *this;
  mName = other.mName;
  mComponents = other.mComponents;
  mID = other.mID;
  mArchetypeName = other.mArchetypeName;
  return *this;
}

void Object::AddMeta() {
  META::AddMember<ObjectID>(meta_, "unsigned long", "mID", META_OFFSET(Object, mID));
  META::AddMember<std::string>(meta_, "std::string", "mName", META_OFFSET(Object, mName));
}

META::MetaData& Object::GetMetaData() { return meta_; }

void Object::Initialize() {
  // Hold a copy of the list first: a component's Initialize may add or
  // replace siblings. At most one component per type, so it fits on the stack.
  constexpr std::size_t kHeldOnStack = 32;
  std::array<std::shared_ptr<Component>, kHeldOnStack> onStack;
  std::vector<std::shared_ptr<Component>> spilled;
  const std::size_t count = mComponents.size();
  std::shared_ptr<Component>* held = onStack.data();
  if (count > kHeldOnStack) {
    spilled.resize(count);
    held = spilled.data();
  }
  for (std::size_t i = 0; i < count; ++i) held[i] = mComponents[i].second;

  // The registry's answer only changes when its table does, which a
  // component's Initialize may do.
  std::weak_ptr<Object> parent;
  std::uint64_t askedAt = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (i == 0 || Engine::mFactory.ObjectsVersion() != askedAt) {
      askedAt = Engine::mFactory.ObjectsVersion();
      parent = Engine::mFactory.GetObjectWithID(mID);
    }
    held[i]->mParent = parent;
    held[i]->Initialize();
  }
}

void Object::HandleMessage(const std::shared_ptr<Message>& message) {
  // Entries are never erased while the object lives, but a handler may add
  // one below the current position and shift the rest; so step to the next
  // type above the one just called, as a walk over an ordered tree would.
  // Hold each component for its call.
  std::size_t at = 0;
  while (at < mComponents.size()) {
    const ComponentType type = mComponents[at].first;
    const std::shared_ptr<Component> component = mComponents[at].second;
    component->HandleMessage(message);
    while (at < mComponents.size() && mComponents[at].first <= type) ++at;
  }
}

std::shared_ptr<Component> Object::CloneComponent() const { return CloneObject().lock(); }

void Object::AddComponent(const std::weak_ptr<Component>& component) {
  std::shared_ptr<Component> added = component.lock();
  if (!added) return;
  // Back in a game: its listeners, old and new, are called again.
  added->mRetired = false;
  const auto found = mComponents.find(added->GetType());
  if (found != mComponents.end()) {
    // The replaced component stays alive in the message until the broadcast.
    if (found->second != added) found->second->Retire();
    Engine::RelayMessage(MessagePool::Make<DestroyedComponentMessage>(CoreSenderName(), found->second));
    found->second = std::move(added);
    return;
  }
  const ComponentType type = added->GetType();
  mComponents.InsertNew(type, std::move(added));
}

std::weak_ptr<Component> Object::GetComponent(ComponentType type) const {
  const auto found = mComponents.find(type);
  return found == mComponents.end() ? std::weak_ptr<Component>() : std::weak_ptr<Component>(found->second);
}

std::weak_ptr<Object> Object::CloneObject() const {
  std::shared_ptr<Object> clone = Engine::mFactory.CreateGenericObject().lock();
  if (!clone) return {};
  for (const auto& [type, component] : mComponents) {
    clone->AddComponent(component->CloneComponent());
  }
  clone->Initialize();
  return clone;
}

void Object::Release() { Engine::mFactory.Destroy(mID); }

void Object::SetName(const std::string& name) {
  if (&name != &mName) mName = name;
}
