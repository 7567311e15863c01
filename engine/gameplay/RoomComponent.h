#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "meta/MetaData.h"
#include "objects/Component.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// One room of a flooding level. Tracks which players are inside (from the
// host's contact reports) and, once RoomHandler designates it, runs the
// warning (about 5 s, a "WarningLight" in the room), the filling (about
// 16.7 s, the flood cube rising 8 units) and kills the players still inside.
// The timers run only in play.
class TW_API RoomComponent : public Component {
 public:
  // Ids of objects not made yet.
  static constexpr ObjectID kNoObject = 0xFFFFFFFF;

  RoomComponent();

  void Initialize() override;
  // Time updates: the warning, the filling and the kill.
  void HandleMessage(const std::shared_ptr<Message>& message) override;
  [[nodiscard]] std::shared_ptr<Component> CloneComponent() const override;
  META::MetaData& GetMetaData() override;
  static void AddMeta();
  static META::MetaData meta_;

  // Players entering and leaving the room.
  void HandleCollisionMessage(const std::shared_ptr<Message>& message);

  [[nodiscard]] float GetFillLevel() const { return m_FillLevel; }
  [[nodiscard]] bool IsRoomFilling() const { return m_RoomIsFilling; }
  void SetRoomAsFilling() { m_RoomIsFilling = true; }
  [[nodiscard]] bool IsFillSignalled() const { return mFillSignal; }
  void SetFillRoomSignal(bool signal) { mFillSignal = signal; }
  [[nodiscard]] ObjectID GetFloodID() const { return mFloodID; }
  void SetFloodID(ObjectID id) { mFloodID = id; }
  [[nodiscard]] ObjectID GetWarningLightID() const { return mWarningLightID; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetFloodFeedbackStartPosition() const { return mFloodFeedbackStart; }
  void SetFloodFeedbackStartPosition(const Vectormath::Aos::Vector3& position) { mFloodFeedbackStart = position; }
  [[nodiscard]] std::uint32_t GetRoomID() const { return m_RoomID; }
  [[nodiscard]] std::uint32_t GetRoomRing() const { return mRing; }
  void SetRoomRing(std::uint32_t ring) { mRing = ring; }
  // "Player1" ... "Player4"; any other name is never inside.
  [[nodiscard]] bool IsPlayerInside(const std::string& playerName) const;
  void Update(float dt);

 private:
  void Step(float dt);
  void Warn(float dt);
  void KillPlayersInRoom();

  float m_FillLevel = 0.0f;
  float mSpare = 0.0f;
  float mWarningTime = 0.0f;
  bool m_RoomIsFilling = false;
  bool mFillSignal = false;
  bool mWarningShown = false;
  std::uint32_t m_RoomID = 0;
  std::uint32_t mRing = 0;
  ObjectID mFloodID = kNoObject;
  ObjectID mWarningLightID = kNoObject;
  Vectormath::Aos::Vector3 mFloodFeedbackStart{0.0f};
  std::vector<bool> mPlayersInside;
};
