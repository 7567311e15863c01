#pragma once
#include <cstdint>
#include <memory>

#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Message;
namespace META {
class MetaData;
}

// Flags and colours for drawing an object's collision shape in debug views.
// The colours are never stored in files: Initialize sets them.
class TW_API Debug : public Component {
 public:
  // Flags 0; the colours stay zero until Initialize.
  Debug();
  Debug(const Debug& other) = default;
  Debug& operator=(const Debug& other) = default;
  ~Debug() override = default;

  // Green, red, blue and magenta for ordinary, static, ghost and static ghost
  // bodies; the flags are left alone.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  // A fresh Debug: nothing is copied, Initialize fills the colours in.
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  [[nodiscard]] std::uint32_t GetDrawFlags() const { return mDrawFlags; }
  void SetDrawFlags(std::uint32_t flags);
  [[nodiscard]] Vectormath::Aos::Vector4 GetNormalColor() const { return mNormalColor; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetStaticColor() const { return mStaticColor; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetGhostColor() const { return mGhostColor; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetStaticGhostColor() const { return mStaticGhostColor; }
  void SetNormalColor(const Vectormath::Aos::Vector4& color);
  void SetStaticColor(const Vectormath::Aos::Vector4& color);
  void SetGhostColor(const Vectormath::Aos::Vector4& color);
  void SetStaticGhostColor(const Vectormath::Aos::Vector4& color);

 private:
  std::uint32_t mDrawFlags = 0;
  Vectormath::Aos::Vector4 mNormalColor = Vectormath::Aos::Vector4(0.0f);
  Vectormath::Aos::Vector4 mStaticColor = Vectormath::Aos::Vector4(0.0f);
  Vectormath::Aos::Vector4 mGhostColor = Vectormath::Aos::Vector4(0.0f);
  Vectormath::Aos::Vector4 mStaticGhostColor = Vectormath::Aos::Vector4(0.0f);
};
