#pragma once
#include <memory>
#include <vector>

#include "meta/MetaVec3.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
namespace META {
class MetaData;
}

// Mass, velocity and flags of a body the host's physics simulates, plus the
// forces gathered for it during a frame. The engine itself integrates nothing.
class TW_API RigidBody : public Component {
 public:
  // Mass, inverse mass and damping 1; no forces.
  RigidBody();
  RigidBody(const RigidBody& other) = default;
  RigidBody& operator=(const RigidBody& other) = default;
  ~RigidBody() override = default;

  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // A mass of 0 or less makes the body immovable (mass and inverse mass 0).
  void SetMass(float mass);
  [[nodiscard]] float GetMass() const { return m_mass; }
  [[nodiscard]] float GetInvMass() const { return m_invMass; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetVelocity() const { return m_velocity; }
  [[nodiscard]] float GetDamping() const { return m_damping; }
  [[nodiscard]] bool IsStatic() const { return m_static; }
  [[nodiscard]] bool GetUseGravity() const { return m_useGravity; }

  // A value outside [0, 1] falls back to 1 (no damping).
  void SetDamping(float damping);
  void SetStatic(bool isStatic);
  void SetUseGravity(bool useGravity);

  void AddForce(const Vectormath::Aos::Vector3& force);
  // The sum in insertion order; zero when there are none.
  [[nodiscard]] Vectormath::Aos::Vector3 GetNetForce() const;
  void ClearForces();

  // Changes the velocity at once, scaled by the inverse mass, so an immovable
  // body ignores it. For the host's physics; the engine never calls it.
  void AddImpulse(const Vectormath::Aos::Vector3& impulse);

 private:
  bool m_useGravity = false;
  bool m_static = false;
  float m_mass = 1.0f;
  float m_invMass = 1.0f;
  MetaVec3 m_velocity = Vectormath::Aos::Vector3(0.0f);
  float m_damping = 1.0f;
  std::vector<Vectormath::Aos::Vector3> mForces;
};
