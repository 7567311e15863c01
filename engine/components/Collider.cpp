#include "components/Collider.h"

#include "components/Transform.h"
#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"
#include "objects/Object.h"

using Vectormath::Aos::Matrix3;
using Vectormath::Aos::Vector3;

META::MetaData Collider::meta_("Collider", sizeof(Collider), META::MetaManager::Get("Component"), false,
                               &META::WriteBlock, &META::ReadBlock);

// The defaults are the member initializers.
Collider::Collider() = default;

void Collider::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<ShapeType>(meta_, "ShapeType", "m_shapeType", META_OFFSET(Collider, m_shapeType));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_AabbHalfExtents", META_OFFSET(Collider, m_AabbHalfExtents));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_ObbLocalCenter", META_OFFSET(Collider, m_ObbLocalCenter));
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_ObbScale", META_OFFSET(Collider, m_ObbScale));
  META::AddMember<bool>(meta_, "bool", "m_ghost", META_OFFSET(Collider, m_ghost));
  META::AddMember<std::uint32_t>(meta_, "unsigned int", "m_collisionGroup", META_OFFSET(Collider, m_collisionGroup));
}

META::MetaData& Collider::GetMetaData() { return meta_; }

void Collider::Initialize() {
  const auto object = GetParent().lock();
  if (!object) return;
  mTransform = object->GetComponentAs<Transform>(CT_Transform);
}

void Collider::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> Collider::CloneComponent() const { return CloneAs<Collider>(L"Collider"); }

void Collider::SetGhost(bool ghost) { m_ghost = ghost; }

void Collider::SetCollisionGroup(std::uint32_t group) { m_collisionGroup = group; }

Vector3 Collider::WorldPosition() const {
  const auto transform = mTransform.lock();
  return transform ? transform->GetPosition() : Vector3(0.0f);
}

Vector3 Collider::GetAabbMin() const { return WorldPosition() - Vector3(m_AabbHalfExtents); }

Vector3 Collider::GetAabbMax() const { return WorldPosition() + Vector3(m_AabbHalfExtents); }

Vector3 Collider::GetCenter() const { return WorldPosition() + Vector3(m_ObbLocalCenter); }

Vector3 Collider::GetObbWorldScale() const {
  const auto transform = mTransform.lock();
  const Vector3 scale = transform ? transform->GetScale() : Vector3(1.0f);
  return Vectormath::Aos::mulPerElem(m_ObbScale, scale);
}

Vector3 Collider::GetObbWorldHalfExtents() const { return GetObbWorldScale() * 0.5f; }

Matrix3 Collider::GetObbAxes() const {
  const auto transform = mTransform.lock();
  if (!transform) return Matrix3::identity();
  return transform->GetWoldRotation().getUpper3x3();
}
