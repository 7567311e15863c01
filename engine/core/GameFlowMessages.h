#pragma once
#include <cstdint>
#include <string>
#include <utility>

#include "core/Message.h"
#include "core/MessageEnums.h"
#include "objects/ComponentType.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

// The frame's pace, game events between components, and the requests the
// game sends to the host's audio and physics.

// Sent by the frame loop at the start of every frame.
class TW_API TimeUpdateMessage : public Message {
 public:
  TimeUpdateMessage(const std::wstring& sender, float dt) : Message(sender, MT_TIME_UPDATE), mDT(dt) {}

  // Seconds since the previous frame.
  [[nodiscard]] float GetDT() const { return mDT; }

 private:
  float mDT;
};

class TW_API PauseMessage : public Message {
 public:
  PauseMessage(const std::wstring& sender, PauseMessageType pauseType, ObjectID objectID)
      : Message(sender, MT_PAUSE), mPauseType(pauseType), mObjectID(objectID) {}

  PauseMessageType mPauseType;
  ObjectID mObjectID;
};

class TW_API LoadLevelMessage : public Message {
 public:
  LoadLevelMessage(const std::wstring& sender, std::string fileName, int players)
      : Message(sender, MT_LOAD_LEVEL), mFileName(std::move(fileName)), mPlayers(players) {}

  [[nodiscard]] const std::string& GetFileName() const { return mFileName; }
  [[nodiscard]] const int& GetPlayers() const { return mPlayers; }

 private:
  std::string mFileName;
  int mPlayers;
};

class TW_API PlayerJoinMessage : public Message {
 public:
  PlayerJoinMessage(const std::wstring& sender, int player) : Message(sender, MT_PLAYER_JOIN), mPlayer(player) {}

  [[nodiscard]] const int& GetPlayer() const { return mPlayer; }

 private:
  int mPlayer;
};

// Object ids of the two players; the host scores it against the ruleset.
class TW_API PlayerDeathMessage : public Message {
 public:
  PlayerDeathMessage(const std::wstring& sender, ObjectID killer, ObjectID killed)
      : Message(sender, MT_PLAYER_DEATH), mKiller(killer), mKilled(killed) {}

  [[nodiscard]] const ObjectID& GetKiller() const { return mKiller; }
  [[nodiscard]] const ObjectID& GetKilled() const { return mKilled; }

 private:
  ObjectID mKiller;
  ObjectID mKilled;
};

// How components talk to each other: a command or report such as
// "open door", about the object with the given id.
class TW_API GameEventMessage : public Message {
 public:
  GameEventMessage(const std::wstring& sender, std::string eventText, ObjectID objectID)
      : Message(sender, MT_GAME_EVENT), mEventText(std::move(eventText)), mObjectID(objectID) {}

  [[nodiscard]] std::string GetEventText() const { return mEventText; }
  [[nodiscard]] ObjectID GetObjectID() const { return mObjectID; }

 private:
  std::string mEventText;
  ObjectID mObjectID;
};

// A player carrying a power cell used an escape pod.
class TW_API PodActivationMessage : public Message {
 public:
  PodActivationMessage(const std::wstring& sender, unsigned int playerNumber, ObjectID playerObjID, ObjectID podID)
      : Message(sender, MT_POD_ACTIVATION), mPlayerNumber(playerNumber), mPlayerObjID(playerObjID), mPodID(podID) {}

  [[nodiscard]] unsigned int GetPlayerNumber() const { return mPlayerNumber; }
  [[nodiscard]] ObjectID GetPlayerObjID() const { return mPlayerObjID; }
  [[nodiscard]] ObjectID GetPodID() const { return mPodID; }

 private:
  unsigned int mPlayerNumber;
  ObjectID mPlayerObjID;
  ObjectID mPodID;
};

// Plays a sound event on an emitter of the host's audio (null: no emitter).
class TW_API PostSoundEventMessage : public Message {
 public:
  PostSoundEventMessage(const std::wstring& sender, std::uint32_t soundID, const void* gameObjectID)
      : Message(sender, MT_POST_SOUND_EVENT), mSoundID(soundID), mGameObjectID(gameObjectID) {}

  [[nodiscard]] std::uint32_t GetSoundID() const { return mSoundID; }
  [[nodiscard]] const void* GetGameObjectID() const { return mGameObjectID; }

 private:
  std::uint32_t mSoundID;
  const void* mGameObjectID;
};

class TW_API SeekSoundEventMessage : public Message {
 public:
  SeekSoundEventMessage(const std::wstring& sender, std::uint32_t soundID, float percent, const void* gameObjectID)
      : Message(sender, MT_SEEK_SOUND_EVENT), mSoundID(soundID), mPercent(percent), mGameObjectID(gameObjectID) {}

  [[nodiscard]] std::uint32_t GetSoundID() const { return mSoundID; }
  [[nodiscard]] float GetPercent() const { return mPercent; }
  [[nodiscard]] const void* GetGameObjectID() const { return mGameObjectID; }

 private:
  std::uint32_t mSoundID;
  float mPercent;
  const void* mGameObjectID;
};

// Sets a named parameter of the host's audio.
class TW_API SoundRTPCMessage : public Message {
 public:
  SoundRTPCMessage(const std::wstring& sender, const std::string& name, float value, const void* gameObjectID)
      : Message(sender, MT_SOUND_RTPC), mName(name), mValue(value), mGameObjectID(gameObjectID) {}

  [[nodiscard]] std::string GetName() const { return mName; }
  [[nodiscard]] float GetValue() const { return mValue; }
  [[nodiscard]] const void* GetGameObjectID() const { return mGameObjectID; }

 private:
  std::string mName;
  float mValue;
  const void* mGameObjectID;
};

class TW_API StopAllSoundsMessage : public Message {
 public:
  explicit StopAllSoundsMessage(const std::wstring& sender) : Message(sender, MT_STOP_ALL_SOUNDS) {}
};

// A request to the host's physics. The fields are public: the host reads them
// straight, and senders fill in the collision group after construction.
class TW_API PhysicsMessage : public Message {
 public:
  PhysicsMessage(const std::wstring& sender, PhysicsMessageType kind, ObjectID objectID,
                 Vectormath::Aos::Vector3 vector)
      : Message(sender, MT_PHYSICS), mKind(kind), mObjectID(objectID), mVector(std::move(vector)) {}

  PhysicsMessageType mKind;
  ObjectID mObjectID;
  Vectormath::Aos::Vector3 mVector;
  // Free for the host's physics to use; the engine leaves them empty/false.
  std::string mHostText1;
  std::string mHostText2;
  bool mHostFlag = false;
  // The group to join, for PMT_SET_COLLISION_GROUP.
  std::string mCollisionGroup;
};

// Reported by the host's physics; the two ids come in no particular order.
class TW_API CollisionMessage : public Message {
 public:
  CollisionMessage(const std::wstring& sender, CollisionMessageType kind, ObjectID objectA, ObjectID objectB)
      : Message(sender, MT_COLLISION), mKind(kind), mObjectA(objectA), mObjectB(objectB) {}

  CollisionMessageType mKind;
  ObjectID mObjectA;
  ObjectID mObjectB;
};
