#pragma once
#include <memory>
#include <string>

#include "behaviors/Behavior.h"
#include "meta/MetaData.h"
#include "platform/Export.h"

// Swaps in another texture on the object that holds it, keeps it for a set
// time, then swaps back once; ResetTimer arms it again. It has no duration,
// so it never ends by itself.
class TW_API TimedTextureChangeBehavior : public Behavior {
 public:
  TimedTextureChangeBehavior() = default;

  // Unswapped, remembering the object's first texture as the current one.
  void Initialize() override;
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  void Update(float dt) override;
  void Release() override {}

  void SetChangeToTexture(const std::string& name) { mTextureToChangeTo = name; }
  void SetTimeForChange(float seconds) { mTimeToChangeFor = seconds; }
  void ResetTimer() { mTimeChanged = 0.0f; }
  // Hands the texture to the owning object's Renderable.
  void SetTexture(const std::string& name);

  [[nodiscard]] const std::string& GetChangeToTexture() const { return mTextureToChangeTo; }
  [[nodiscard]] const std::string& GetCurrentTexture() const { return mCurrentTexture; }
  [[nodiscard]] float GetTimeForChange() const { return mTimeToChangeFor; }
  [[nodiscard]] float GetTimeChanged() const { return mTimeChanged; }
  [[nodiscard]] bool IsSwapped() const { return mSwapped; }

 private:
  std::string mTextureToChangeTo;
  std::string mCurrentTexture;
  float mTimeToChangeFor = 0.0f;
  float mTimeChanged = 0.0f;
  bool mSwapped = false;
};
