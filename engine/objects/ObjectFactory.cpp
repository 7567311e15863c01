#include "objects/ObjectFactory.h"

#include "core/Engine.h"
#include "core/MessagePool.h"
#include "core/ObjectMessages.h"
#include "objects/ComponentFactory.h"
#include "objects/Object.h"
#include "objects/ResourceRequests.h"

std::weak_ptr<Object> ObjectFactory::CreateGenericObject() {
  const auto factory = GetComponentFactory(L"Object");
  if (!factory) return {};
  std::shared_ptr<Object> object = std::static_pointer_cast<Object>(factory->CreateComponent());
  object->mID = mNextObjectID++;
  ++mObjectsVersion;
  // Ids only grow, so the new entry normally goes last.
  mObjects.insert_or_assign(mObjects.end(), object->mID, object);
  return object;
}

std::weak_ptr<Object> ObjectFactory::CreateGenericArchetype(const std::wstring& name) {
  const auto factory = GetComponentFactory(L"Object");
  if (!factory) return {};
  std::shared_ptr<Object> archetype = std::static_pointer_cast<Object>(factory->CreateArchetypeComponent());
  archetype->mArchetypeName = name;
  // A taken name keeps the first archetype; the new one dies with this call.
  mArchetypes.emplace(name, archetype);
  return archetype;
}

std::weak_ptr<Object> ObjectFactory::CreateArchetypedObject(const std::wstring& name) {
  const auto found = mArchetypes.find(name);
  if (found == mArchetypes.end()) return {};
  // Hold the archetype: cloning may run component code that reloads archetypes.
  const std::shared_ptr<Object> archetype = found->second;
  return archetype->CloneObject();
}

std::shared_ptr<Component> ObjectFactory::CreateComponent(const std::wstring& registryName) {
  return MakeComponent(registryName, false);
}

std::shared_ptr<Component> ObjectFactory::MakeComponent(const std::wstring& registryName, bool archetype) const {
  const auto factory = GetComponentFactory(registryName);
  if (!factory) return nullptr;
  return archetype ? factory->CreateArchetypeComponent() : factory->CreateComponent();
}

std::weak_ptr<Component> ObjectFactory::Give(const std::shared_ptr<Object>& target,
                                             const std::shared_ptr<Component>& component) {
  if (!target || !component) return {};
  target->AddComponent(component);
  component->mParent = target;
  return component;
}

std::weak_ptr<Component> ObjectFactory::GiveObjectComponent(const std::weak_ptr<Object>& object,
                                                            const std::wstring& registryName) const {
  const std::shared_ptr<Object> target = object.lock();
  if (!target) return {};
  return Give(target, MakeComponent(registryName, false));
}

std::weak_ptr<Component> ObjectFactory::GiveObjectComponent(std::uint32_t id, const std::wstring& registryName) const {
  const std::shared_ptr<Object> target = GetObjectWithID(id).lock();
  if (!target) return {};
  return Give(target, MakeComponent(registryName, false));
}

std::weak_ptr<Component> ObjectFactory::GiveObjectComponent(std::uint32_t id,
                                                            const std::weak_ptr<Component>& component) const {
  return Give(GetObjectWithID(id).lock(), component.lock());
}

std::weak_ptr<Component> ObjectFactory::GiveObjectComponent(const std::weak_ptr<Object>& object,
                                                            const std::weak_ptr<Component>& component) const {
  return Give(object.lock(), component.lock());
}

std::weak_ptr<Component> ObjectFactory::GiveArchetypeComponent(const std::weak_ptr<Object>& object,
                                                               const std::wstring& registryName) const {
  const std::shared_ptr<Object> target = object.lock();
  if (!target) return {};
  return Give(target, MakeComponent(registryName, true));
}

std::weak_ptr<Component> ObjectFactory::GiveArchetypeComponent(const std::wstring& archetypeName,
                                                               const std::wstring& registryName) const {
  const std::shared_ptr<Object> target = GetArchetype(archetypeName).lock();
  if (!target) return {};
  return Give(target, MakeComponent(registryName, true));
}

std::weak_ptr<Component> ObjectFactory::GiveArchetypeComponent(const std::wstring& archetypeName,
                                                               const std::weak_ptr<Component>& component) const {
  return Give(GetArchetype(archetypeName).lock(), component.lock());
}

std::weak_ptr<Component> ObjectFactory::GiveArchetypeComponent(const std::weak_ptr<Object>& object,
                                                               const std::weak_ptr<Component>& component) const {
  return Give(object.lock(), component.lock());
}

void ObjectFactory::AnnounceDestruction(const std::shared_ptr<Object>& object) {
  // Retire first: from now on no listener of the object or its parts runs,
  // although the messages keep them readable until the end of the frame.
  object->Retire();
  Engine::RelayMessage(MessagePool::Make<DestroyedObjectMessage>(CoreSenderName(), object));
  for (const auto& [type, component] : object->GetComponents()) {
    component->Retire();
    Engine::RelayMessage(MessagePool::Make<DestroyedComponentMessage>(CoreSenderName(), component));
  }
}

void ObjectFactory::Destroy(const std::weak_ptr<Object>& object) {
  const std::shared_ptr<Object> doomed = object.lock();
  if (!doomed) return;
  const auto found = mObjects.find(doomed->mID);
  // Only a registered live object is destroyed; archetypes are never touched.
  if (found == mObjects.end() || found->second != doomed) return;
  AnnounceDestruction(doomed);
  ++mObjectsVersion;
  mObjects.erase(found);
}

void ObjectFactory::Destroy(std::uint32_t id) {
  const auto found = mObjects.find(id);
  if (found == mObjects.end()) return;
  const std::shared_ptr<Object> doomed = found->second;
  AnnounceDestruction(doomed);
  ++mObjectsVersion;
  mObjects.erase(id);
}

void ObjectFactory::DestroyAllObjects() {
  ObjectMap doomed;
  ++mObjectsVersion;
  doomed.swap(mObjects);
  for (const auto& [id, object] : doomed) AnnounceDestruction(object);
}

void ObjectFactory::DestroyAllArchetypes() { mArchetypes.clear(); }

std::weak_ptr<Object> ObjectFactory::GetObjectWithID(std::uint32_t id) const {
  const auto found = mObjects.find(id);
  return found == mObjects.end() ? std::weak_ptr<Object>() : std::weak_ptr<Object>(found->second);
}

std::weak_ptr<Object> ObjectFactory::GetObjectByName(std::string name) const {
  for (const auto& [id, object] : mObjects) {
    if (object->GetName() == name) return object;
  }
  return {};
}

std::weak_ptr<Object> ObjectFactory::GetArchetype(const std::wstring& name) const {
  const auto found = mArchetypes.find(name);
  return found == mArchetypes.end() ? std::weak_ptr<Object>() : std::weak_ptr<Object>(found->second);
}

std::shared_ptr<ComponentFactory> ObjectFactory::GetComponentFactory(const std::wstring& registryName) const {
  const auto found = mComponentFactories.find(registryName);
  return found == mComponentFactories.end() ? nullptr : found->second;
}

void ObjectFactory::AddComponentFactory(const std::wstring& name, std::shared_ptr<ComponentFactory> factory) {
  mComponentFactories[name] = std::move(factory);
}

void ObjectFactory::AddArchetype(const std::wstring& name, const std::weak_ptr<Object>& object) {
  const std::shared_ptr<Object> archetype = object.lock();
  if (!archetype) return;
  mArchetypes[name] = archetype;
  RelayResourceRequests(*archetype);
}

void ObjectFactory::HandleMessage(Message* /*message*/) {}
