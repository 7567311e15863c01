#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/MessageType.h"
#include "objects/ComponentType.h"

class Message;
class Object;

// What every renderer keeps, headless or not: the objects that draw (those
// with a Renderable) and those that shine (with a Light), learned from the
// creation and destruction notices, and the resources the level asked for.
class DrawableRegistry {
 public:
  // The message types Hear() wants.
  static constexpr MessageType kTypes[] = {MT_CREATED_COMPONENT, MT_DESTROYED_OBJECT, MT_LOAD_RESOURCE,
                                           MT_CLEAR_RESOURCES};

  void Hear(const Message& message);
  void Clear();

  [[nodiscard]] const std::map<ObjectID, std::weak_ptr<Object>>& Drawables() const { return mDrawables; }
  [[nodiscard]] const std::map<ObjectID, std::weak_ptr<Object>>& Lights() const { return mLights; }
  [[nodiscard]] std::size_t ResourceCount() const { return mResources.size(); }

 private:
  std::map<ObjectID, std::weak_ptr<Object>> mDrawables;
  std::map<ObjectID, std::weak_ptr<Object>> mLights;
  // "type:name" of every resource the level asked for since the last clear.
  std::set<std::string> mResources;
};
