#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "objects/ComponentType.h"
#include "platform/Export.h"

class Component;
class ComponentFactory;
class Message;
class Object;

// The registry of everything that exists: live objects by id, archetypes by
// name and the component factories by registry name. Engine::mFactory is the
// one instance. Lookups that find nothing return empty pointers; operations
// handed an unknown name, id or an expired pointer change nothing.
class TW_API ObjectFactory {
 public:
  using ObjectMap = std::map<ObjectID, std::shared_ptr<Object>>;

  ObjectFactory() = default;
  ObjectFactory(const ObjectFactory&) = default;
  ObjectFactory& operator=(const ObjectFactory&) = default;
  ~ObjectFactory() = default;

  // Creation.
  std::weak_ptr<Object> CreateGenericObject();
  std::weak_ptr<Object> CreateGenericArchetype(const std::wstring& name);
  std::weak_ptr<Object> CreateArchetypedObject(const std::wstring& name);
  std::shared_ptr<Component> CreateComponent(const std::wstring& registryName);

  // Giving components; the component is not initialized here.
  std::weak_ptr<Component> GiveObjectComponent(const std::weak_ptr<Object>& object,
                                               const std::wstring& registryName) const;
  std::weak_ptr<Component> GiveObjectComponent(std::uint32_t id, const std::wstring& registryName) const;
  std::weak_ptr<Component> GiveObjectComponent(std::uint32_t id, const std::weak_ptr<Component>& component) const;
  std::weak_ptr<Component> GiveObjectComponent(const std::weak_ptr<Object>& object,
                                               const std::weak_ptr<Component>& component) const;
  std::weak_ptr<Component> GiveArchetypeComponent(const std::weak_ptr<Object>& object,
                                                  const std::wstring& registryName) const;
  std::weak_ptr<Component> GiveArchetypeComponent(const std::wstring& archetypeName,
                                                  const std::wstring& registryName) const;
  std::weak_ptr<Component> GiveArchetypeComponent(const std::wstring& archetypeName,
                                                  const std::weak_ptr<Component>& component) const;
  std::weak_ptr<Component> GiveArchetypeComponent(const std::weak_ptr<Object>& object,
                                                  const std::weak_ptr<Component>& component) const;

  // Destruction: announced on the bus; the object leaves the registry at once
  // but stays alive in the messages until they have been delivered.
  void Destroy(const std::weak_ptr<Object>& object);
  void Destroy(std::uint32_t id);
  void DestroyAllObjects();
  void DestroyAllArchetypes();

  // Lookup.
  [[nodiscard]] std::weak_ptr<Object> GetObjectWithID(std::uint32_t id) const;
  // The live object with the lowest id whose name matches exactly.
  [[nodiscard]] std::weak_ptr<Object> GetObjectByName(std::string name) const;
  // The table may be changed through this, so it counts as a change.
  ObjectMap& GetObjects() {
    ++mObjectsVersion;
    return mObjects;
  }
  // Moves on whenever the table of live objects may have changed, so that a
  // caller can keep a lookup's answer until then.
  [[nodiscard]] std::uint64_t ObjectsVersion() const { return mObjectsVersion; }
  [[nodiscard]] std::weak_ptr<Object> GetArchetype(const std::wstring& name) const;
  [[nodiscard]] const std::map<std::wstring, std::shared_ptr<Object>>& GetArchetypes() const { return mArchetypes; }
  [[nodiscard]] std::shared_ptr<ComponentFactory> GetComponentFactory(const std::wstring& registryName) const;
  [[nodiscard]] const std::map<std::wstring, std::shared_ptr<ComponentFactory>>& GetComponentFactories() const {
    return mComponentFactories;
  }

  // Registration.
  void AddComponentFactory(const std::wstring& name, std::shared_ptr<ComponentFactory> factory);
  void AddArchetype(const std::wstring& name, const std::weak_ptr<Object>& object);

  // The registry listens to nothing.
  void HandleMessage(Message* message);

  // Levels and archetype files.
  void LoadLevel(const std::string& levelName);
  void LoadLevel(const std::wstring& levelName);
  void SaveLevel(const std::string& levelName);
  void SaveLevel(const std::wstring& levelName);
  void LoadArchetypes(const std::vector<std::wstring>& files);
  void SaveArchetypes(const std::string& levelName);
  void SaveArchetypes(const std::wstring& levelName);

 private:
  // Queues the destruction messages of one object: the object, then its
  // components in ascending type order.
  static void AnnounceDestruction(const std::shared_ptr<Object>& object);
  static std::weak_ptr<Component> Give(const std::shared_ptr<Object>& target,
                                       const std::shared_ptr<Component>& component);
  [[nodiscard]] std::shared_ptr<Component> MakeComponent(const std::wstring& registryName, bool archetype) const;

  ObjectID mNextObjectID = 0;
  ObjectMap mObjects;
  std::map<std::wstring, std::shared_ptr<ComponentFactory>> mComponentFactories;
  std::map<std::wstring, std::shared_ptr<Object>> mArchetypes;
  std::uint64_t mObjectsVersion = 0;
};
