#pragma once
#include <memory>
#include <string>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// Membership of an object in a group: the group's name, whether this object
// is the group's parent, and where it sits relative to the parent.
class TW_API GroupComponent : public Component {
 public:
  GroupComponent() = default;

  void Initialize() override {}
  void HandleMessage(const std::shared_ptr<Message>& /*message*/) override {}
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  std::string& GetGroupName() { return m_GroupName; }
  [[nodiscard]] bool IsParent() const { return m_IsParent; }
  // In world axes, added to the parent's world position.
  Vectormath::Aos::Vector3& GetOffset() { return m_Offset; }

 private:
  std::string m_GroupName;
  bool m_IsParent = false;
  Vectormath::Aos::Vector3 m_Offset{0.0f, 0.0f, 0.0f};
};
