#pragma once
#include <cstdint>
#include <memory>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// A door that slides up to open and down to close. It locks for 7 s after
// every close, may close itself after standing open for 10 s, and seals for
// good once a room on either side starts to flood. It obeys "open door" and
// "close door" game events naming its object; the motion is asked of the
// host's physics as position requests.
class TW_API DoorComponent : public Component {
 public:
  DoorComponent() = default;

  // Every door starts closed and unlocked, whatever the file said.
  void Initialize() override;
  // Game events: "open door" / "close door" for this door; a locked door
  // answers any "open door" it does not act on with "door is locked".
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Unlocking, self-closing, motion and the flood seal, once per time update.
  void HandleTimeUpdate(const std::shared_ptr<Message>& message);

  [[nodiscard]] bool IsOpen() const { return m_is_open; }
  [[nodiscard]] bool IsLocked() const { return m_locked; }
  [[nodiscard]] bool IsKeyRequired() const { return m_requires_key; }
  [[nodiscard]] bool IsSealed() const { return mSealed; }
  [[nodiscard]] bool IsHeldOpen() const { return mHoldOpen; }
  // Flipped by pressure plates; nothing in the engine reads it.
  void ToggleHoldOpen() { mHoldOpen = !mHoldOpen; }
  void Update(float dt);

 private:
  void Step(float dt);
  void Move(float dt, ObjectID self);
  void SealIfARoomFloods(ObjectID self);

  std::int32_t m_left_room_id = 0;
  std::int32_t m_right_room_id = 0;
  float m_time_locked = 0.0f;
  float mTimeOpen = 0.0f;
  bool m_closes_automatically = false;
  bool m_is_open = false;
  bool m_locked = false;
  bool m_requires_key = false;
  bool mOpening = false;
  bool mClosing = false;
  Vectormath::Aos::Vector3 mClosedPosition{0.0f};
  bool mHoldOpen = false;
  bool mSealed = false;
};
