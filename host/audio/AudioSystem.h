#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/System.h"

class Match;
class Message;

// Headless audio: every sound the game asks for becomes a readable line in
// the event log ("door opens", "water rising"). Sounds are mostly posted by
// components from inside their time-update listeners, which never reach a
// system's queue, so it listens on the bus and ignores its queue. The
// playing back end derives from it, so the log reads the same with sound.
class AudioSystem : public System {
 public:
  explicit AudioSystem(std::shared_ptr<Match> match);
  void Initialize() override;
  void Update(float timeStep) override;
  int Release() override;

  // The name of a sound event id, or its number in hex for one it does not know.
  [[nodiscard]] static std::string SoundName(std::uint32_t soundID);
  [[nodiscard]] int SoundsPlayed() const { return mPlayed; }

 protected:
  // Every sound message the bus delivers.
  virtual void OnMessage(const std::shared_ptr<Message>& message);

  std::shared_ptr<Match> mMatch;

 private:
  int mPlayed = 0;
};
