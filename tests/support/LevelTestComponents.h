#pragma once
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "meta/MetaVec3.h"
#include "objects/Component.h"

// Components for the level-file tests, in slots no test needs for a real
// class. Registered by RegisterLevelTestComponents (after Engine::Initialize,
// which rebuilds the factory table).

// A component with a member of most kinds a level file holds. Registered as
// "Widget", component type 12.
class Widget : public Component {
 public:
  void Initialize() override { ++initializeCount; }
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override { return meta_; }
  static void AddMeta();
  static META::MetaData meta_;

  float mSpeed = 2.5f;
  int mCount = 3;
  bool mOn = true;
  std::string mLabel = "widget";
  std::vector<std::string> mTags{"a"};
  MetaVec3 mOffset{Vectormath::Aos::Vector3(1.0f, 2.0f, 3.0f)};
  int initializeCount = 0;
};

// A component that declares no members. Registered as "Marker", component
// type 11.
class Marker : public Component {
 public:
  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override { return meta_; }
  static void AddMeta() {}
  static META::MetaData meta_;
};

void RegisterLevelTestComponents();

// The member a component's record knows by that name, for tests that fill a
// component without knowing its class. Fails the test when there is none.
void* MemberAddress(Component& component, const char* name);
template <class T>
T& MemberOf(Component& component, const char* name) {
  return *static_cast<T*>(MemberAddress(component, name));
}
