#include "components/RigidBody.h"

#include "core/Engine.h"
#include "meta/MetaData.h"
#include "meta/MetaOffset.h"
#include "meta/TextReaders.h"
#include "meta/TextWriters.h"

using Vectormath::Aos::Vector3;

META::MetaData RigidBody::meta_("RigidBody", sizeof(RigidBody), META::MetaManager::Get("Component"), false,
                                &META::WriteBlock, &META::ReadBlock);

// The defaults are the member initializers.
RigidBody::RigidBody() = default;

void RigidBody::AddMeta() {
  META::MetaManager::RegisterMeta(&meta_);
  META::AddMember<MetaVec3>(meta_, "MetaVec3", "m_velocity", META_OFFSET(RigidBody, m_velocity));
  META::AddMember<float>(meta_, "float", "m_mass", META_OFFSET(RigidBody, m_mass));
  META::AddMember<float>(meta_, "float", "m_invMass", META_OFFSET(RigidBody, m_invMass));
  META::AddMember<bool>(meta_, "bool", "m_useGravity", META_OFFSET(RigidBody, m_useGravity));
  META::AddMember<bool>(meta_, "bool", "m_static", META_OFFSET(RigidBody, m_static));
  META::AddMember<float>(meta_, "float", "m_damping", META_OFFSET(RigidBody, m_damping));
}

META::MetaData& RigidBody::GetMetaData() { return meta_; }

void RigidBody::Initialize() {}

void RigidBody::HandleMessage(const std::shared_ptr<Message>& /*message*/) {}

std::shared_ptr<Component> RigidBody::CloneComponent() const { return CloneAs<RigidBody>(L"RigidBody"); }

void RigidBody::SetMass(float mass) {
  if (mass > 0.0f) {
    m_mass = mass;
    m_invMass = 1.0f / mass;
  } else {
    m_mass = 0.0f;
    m_invMass = 0.0f;
  }
}

void RigidBody::SetDamping(float damping) { m_damping = (damping < 0.0f || damping > 1.0f) ? 1.0f : damping; }

void RigidBody::SetStatic(bool isStatic) { m_static = isStatic; }

void RigidBody::SetUseGravity(bool useGravity) { m_useGravity = useGravity; }

void RigidBody::AddForce(const Vector3& force) { mForces.push_back(force); }

Vector3 RigidBody::GetNetForce() const {
  Vector3 sum(0.0f);
  for (const Vector3& force : mForces) sum += force;
  return sum;
}

void RigidBody::ClearForces() { mForces.clear(); }

void RigidBody::AddImpulse(const Vector3& impulse) { m_velocity = Vector3(m_velocity) + impulse * m_invMass; }
