#include "objects/Object.h"

#include "core/Engine.h"
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
  // Copy first: a component's Initialize may add or replace siblings.
  const ComponentMap components = mComponents;
  for (const auto& [type, component] : components) {
    component->mParent = Engine::mFactory.GetObjectWithID(mID);
    component->Initialize();
  }
}

void Object::HandleMessage(const std::shared_ptr<Message>& message) {
  // Map nodes are never erased while the object lives, so walking the map is
  // safe even if a handler replaces a sibling; hold each one for its call.
  for (const auto& entry : mComponents) {
    const std::shared_ptr<Component> component = entry.second;
    component->HandleMessage(message);
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
    Engine::RelayMessage(std::make_shared<DestroyedComponentMessage>(L"Core", found->second));
    found->second = std::move(added);
    return;
  }
  mComponents.emplace(added->GetType(), std::move(added));
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
