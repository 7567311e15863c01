#pragma once
#include <memory>
#include <string>

#include "core/Message.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

class Component;
class Object;

// What the object registry tells the host's systems as objects and components
// come and go, so that they can build or drop their own records of them.

// The registry's sender name, "Core", shared by all its messages so that a
// message does not copy it.
TW_API const std::wstring* CoreSenderName();

class TW_API CreatedComponentMessage : public Message {
 public:
  // The type is read now: by the time the host looks, the component may be gone.
  CreatedComponentMessage(const std::wstring& sender, const std::weak_ptr<Component>& component);
  CreatedComponentMessage(const std::wstring* lastingSender, const std::weak_ptr<Component>& component);

  [[nodiscard]] ComponentType GetComponentType() const { return mComponentType; }
  [[nodiscard]] std::weak_ptr<Component> GetComponentPTR() const { return mComponent; }

 private:
  ComponentType mComponentType;
  std::weak_ptr<Component> mComponent;
};

class TW_API DestroyedComponentMessage : public Message {
 public:
  DestroyedComponentMessage(const std::wstring& sender, const std::shared_ptr<Component>& component);
  DestroyedComponentMessage(const std::wstring* lastingSender, const std::shared_ptr<Component>& component);

  [[nodiscard]] ComponentType GetComponentType() const { return mComponentType; }
  [[nodiscard]] std::weak_ptr<Component> GetComponentPTR() const { return mComponent; }

 private:
  ComponentType mComponentType;
  std::weak_ptr<Component> mComponent;
  // Keeps the component readable until the bus drops the message, so that
  // systems can still look at what they are asked to forget.
  std::shared_ptr<Component> mKeepAlive;
};

class TW_API CreatedObjectMessage : public Message {
 public:
  CreatedObjectMessage(const std::wstring& sender, const std::weak_ptr<Object>& object)
      : Message(sender, MT_CREATED_OBJECT), mObject(object) {}
  CreatedObjectMessage(const std::wstring* lastingSender, const std::weak_ptr<Object>& object)
      : Message(lastingSender, MT_CREATED_OBJECT), mObject(object) {}

  [[nodiscard]] std::weak_ptr<Object> GetObjectPTR() const { return mObject; }
  // 0 once the object is gone. The first object of a run also has id 0, so a
  // caller that must tell the two apart checks GetObjectPTR().
  [[nodiscard]] ObjectID GetObjectID() const;

 private:
  std::weak_ptr<Object> mObject;
};

class TW_API DestroyedObjectMessage : public Message {
 public:
  DestroyedObjectMessage(const std::wstring& sender, const std::shared_ptr<Object>& object);
  DestroyedObjectMessage(const std::wstring* lastingSender, const std::shared_ptr<Object>& object);

  [[nodiscard]] std::weak_ptr<Object> GetObjectPTR() const { return mObject; }
  // Recorded when the message is made, so it stays valid whatever happens to
  // the object.
  [[nodiscard]] ObjectID GetObjectID() const { return mObjectID; }

 private:
  std::weak_ptr<Object> mObject;
  ObjectID mObjectID;
  // Keeps the object readable until the bus drops the message at the end of
  // the frame.
  std::shared_ptr<Object> mKeepAlive;
};
