#include "core/ObjectMessages.h"

#include "objects/Component.h"
#include "objects/Object.h"

namespace {

// A message made for no component at all reports the object type rather
// than failing; the registry never does this.
ComponentType TypeOf(const Component* component) { return component != nullptr ? component->GetType() : CT_Object; }

}  // namespace

const std::wstring* CoreSenderName() {
  static const std::wstring name = L"Core";
  return &name;
}

CreatedComponentMessage::CreatedComponentMessage(const std::wstring& sender, const std::weak_ptr<Component>& component)
    : Message(sender, MT_CREATED_COMPONENT), mComponentType(TypeOf(component.lock().get())), mComponent(component) {}

CreatedComponentMessage::CreatedComponentMessage(const std::wstring* lastingSender,
                                                 const std::weak_ptr<Component>& component)
    : Message(lastingSender, MT_CREATED_COMPONENT),
      mComponentType(TypeOf(component.lock().get())),
      mComponent(component) {}

DestroyedComponentMessage::DestroyedComponentMessage(const std::wstring& sender,
                                                     const std::shared_ptr<Component>& component)
    : Message(sender, MT_DESTROYED_COMPONENT),
      mComponentType(TypeOf(component.get())),
      mComponent(component),
      mKeepAlive(component) {}

DestroyedComponentMessage::DestroyedComponentMessage(const std::wstring* lastingSender,
                                                     const std::shared_ptr<Component>& component)
    : Message(lastingSender, MT_DESTROYED_COMPONENT),
      mComponentType(TypeOf(component.get())),
      mComponent(component),
      mKeepAlive(component) {}

ObjectID CreatedObjectMessage::GetObjectID() const {
  const std::shared_ptr<Object> object = mObject.lock();
  return object != nullptr ? object->GetID() : 0;
}

DestroyedObjectMessage::DestroyedObjectMessage(const std::wstring& sender, const std::shared_ptr<Object>& object)
    : Message(sender, MT_DESTROYED_OBJECT),
      mObject(object),
      mObjectID(object != nullptr ? object->GetID() : 0),
      mKeepAlive(object) {}

DestroyedObjectMessage::DestroyedObjectMessage(const std::wstring* lastingSender, const std::shared_ptr<Object>& object)
    : Message(lastingSender, MT_DESTROYED_OBJECT),
      mObject(object),
      mObjectID(object != nullptr ? object->GetID() : 0),
      mKeepAlive(object) {}
