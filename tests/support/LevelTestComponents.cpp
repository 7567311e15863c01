#include "support/LevelTestComponents.h"

#include <gtest/gtest.h>

#include <cstddef>

#include "core/Engine.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/ComponentTypeFactory.h"

META::MetaData Widget::meta_("Widget", sizeof(Widget), nullptr, false, &META::WriteBlock, &META::ReadBlock);
META::MetaData Marker::meta_("Marker", sizeof(Marker), nullptr, false, &META::WriteBlock, &META::ReadBlock);

void Widget::AddMeta() {
  META::AddMember<float>(meta_, "float", "mSpeed", META_OFFSET(Widget, mSpeed));
  META::AddMember<int>(meta_, "int", "mCount", META_OFFSET(Widget, mCount));
  META::AddMember<bool>(meta_, "bool", "mOn", META_OFFSET(Widget, mOn));
  META::AddMember<std::string>(meta_, "std::string", "mLabel", META_OFFSET(Widget, mLabel));
  META::AddMember<std::vector<std::string>>(meta_, "std::vector<std::string>", "mTags", META_OFFSET(Widget, mTags));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "mOffset", META_OFFSET(Widget, mOffset));
}

std::shared_ptr<Component> Widget::CloneComponent() const {
  auto clone = std::static_pointer_cast<Widget>(Engine::mFactory.CreateComponent(L"Widget"));
  if (clone) *clone = *this;
  return clone;
}

std::shared_ptr<Component> Marker::CloneComponent() const { return Engine::mFactory.CreateComponent(L"Marker"); }

void RegisterLevelTestComponents() {
  Engine::mFactory.AddComponentFactory(L"Widget", std::make_shared<ComponentTypeFactory<Widget>>(CT_StatModifier));
  Engine::mFactory.AddComponentFactory(L"Marker", std::make_shared<ComponentTypeFactory<Marker>>(CT_LifeTime));
}

void* MemberAddress(Component& component, const char* name) {
  const META::Member* member = component.GetMetaData().FindMember(name);
  alignas(std::max_align_t) static std::byte scratch[256] = {};
  if (member == nullptr) {
    ADD_FAILURE() << component.GetMetaData().Name() << " has no member " << name;
    return scratch;
  }
  return static_cast<std::byte*>(dynamic_cast<void*>(&component)) + member->Offset();
}
