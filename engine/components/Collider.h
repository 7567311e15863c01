#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaVec3.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
class Transform;
namespace META {
class MetaData;
}

// The kind of collision shape. The numbers belong to the host's physics; the
// engine only stores, copies and writes them.
enum ShapeType : std::int32_t {
  ST_Sphere = 0,
  ST_Aabb = 1,
  ST_Obb = 2,
};

// The collision shape of an object for the host's physics. World-space
// answers read the owning object's Transform, linked by Initialize; before
// that (or without a Transform) they are those of an object at the origin
// with unit scale and no rotation.
class TW_API Collider : public Component {
 public:
  // An axis-aligned box with zero extents.
  Collider();
  Collider(const Collider& other) = default;
  Collider& operator=(const Collider& other) = default;
  ~Collider() override = default;

  // Links the owning object's Transform (none if it has none).
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] ShapeType GetShapeType() const { return m_shapeType; }
  [[nodiscard]] bool IsGhost() const { return m_ghost; }
  void SetGhost(bool ghost);
  [[nodiscard]] std::uint32_t GetCollisionGroup() const { return m_collisionGroup; }
  void SetCollisionGroup(std::uint32_t group);

  [[nodiscard]] Vectormath::Aos::Vector3 GetHalfExtents() const { return m_AabbHalfExtents; }
  // A sphere keeps its radius in the x half extent.
  [[nodiscard]] float GetRadius() const { return m_AabbHalfExtents.getX(); }
  // Position -/+ half extents: neither scale nor rotation applies.
  [[nodiscard]] Vectormath::Aos::Vector3 GetAabbMin() const;
  [[nodiscard]] Vectormath::Aos::Vector3 GetAabbMax() const;
  // Position + the centre offset; the offset is not rotated.
  [[nodiscard]] Vectormath::Aos::Vector3 GetCenter() const;
  [[nodiscard]] Vectormath::Aos::Vector3 GetObbLocalScale() const { return m_ObbScale; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetObbWorldScale() const;
  [[nodiscard]] Vectormath::Aos::Vector3 GetObbWorldHalfExtents() const;
  // Columns are the box's local x, y and z axes in world space.
  [[nodiscard]] Vectormath::Aos::Matrix3 GetObbAxes() const;

 private:
  [[nodiscard]] Vectormath::Aos::Vector3 WorldPosition() const;

  ShapeType m_shapeType = ST_Aabb;
  MetaVec3 m_AabbHalfExtents = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 m_ObbLocalCenter = Vectormath::Aos::Vector3(0.0f);
  MetaVec3 m_ObbScale = Vectormath::Aos::Vector3(0.0f);
  bool m_ghost = false;
  std::uint32_t m_collisionGroup = 0;
  std::weak_ptr<Transform> mTransform;
};
