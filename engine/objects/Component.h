#pragma once
#include <cstdint>
#include <memory>

#include "core/Callable.h"
#include "core/MessageType.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"

class Message;
class Object;
namespace META {
class MetaData;
}

// Base of every component. Components are made only by their factory, which
// numbers them and owns them through a shared pointer of the concrete class.
class TW_API Component : public std::enable_shared_from_this<Component> {
 public:
  Component() = default;
  // Copies id, parent and type; the shared-from-this link starts empty.
  Component(const Component& other)
      : std::enable_shared_from_this<Component>(),
        mComponentID(other.mComponentID),
        mParent(other.mParent),
        mType(other.mType) {}
  // Assignment copies only the concrete class's members: id, parent and type stay.
  Component& operator=(const Component& /*other*/) { return *this; }
  virtual ~Component() = default;

  virtual void Initialize() = 0;
  virtual void HandleMessage(const std::shared_ptr<Message>& message) = 0;
  [[nodiscard]] virtual std::shared_ptr<Component> CloneComponent() const = 0;
  virtual META::MetaData& GetMetaData() = 0;

  [[nodiscard]] std::uint32_t GetID() const { return mComponentID; }
  [[nodiscard]] ComponentType GetType() const { return mType; }
  [[nodiscard]] std::weak_ptr<Object> GetParent() const { return mParent; }

  // The id of this component's listener for one of its handlers: unique per
  // (component, handler number), stable for the component's life.
  [[nodiscard]] ListenerID MakeListenerID(std::uint32_t handlerNumber) const;

  // Registers a member function as a bus listener. The bus stops calling it
  // once this component is destroyed (retired by the registry or freed).
  template <class T>
  Callable MakeListener(void (T::*handler)(const std::shared_ptr<Message>&), std::uint32_t handlerNumber) {
    T* self = static_cast<T*>(this);
    return Callable(
        MakeListenerID(handlerNumber),
        [self, handler](const std::shared_ptr<Message>& message) {
          if (!self->IsRetired()) (self->*handler)(message);
        },
        std::weak_ptr<const void>(weak_from_this()));
  }
  template <class T>
  void RegisterHandler(MessageType type, void (T::*handler)(const std::shared_ptr<Message>&),
                       std::uint32_t handlerNumber) {
    RegisterListenerFor(type, MakeListener(handler, handlerNumber));
  }

  // A retired component is out of the game (destroyed or replaced) though a
  // queued message may still hold it: its listeners are not called until an
  // object takes it in again.
  void Retire() { mRetired = true; }
  [[nodiscard]] bool IsRetired() const { return mRetired; }

 protected:
  // The usual clone: a fresh component under the class's registry name (its
  // own id, type and creation notice) with this one's data copied over.
  template <class T>
  [[nodiscard]] std::shared_ptr<Component> CloneAs(const wchar_t* registryName) const {
    std::shared_ptr<Component> clone = CreateRegistered(registryName);
    if (clone) static_cast<T&>(*clone) = static_cast<const T&>(*this);
    return clone;
  }

 private:
  friend class ComponentFactory;
  friend class ObjectFactory;
  friend class Object;

  static void RegisterListenerFor(MessageType type, const Callable& listener);
  static std::shared_ptr<Component> CreateRegistered(const wchar_t* registryName);

  std::uint32_t mComponentID = 0;
  std::weak_ptr<Object> mParent;
  ComponentType mType = CT_Object;
  bool mRetired = false;
};
