#pragma once
#include <memory>
#include <mutex>
#include <queue>
#include <string>

#include "platform/Export.h"

class Message;

using MessageQueue = std::queue<std::shared_ptr<const Message>>;

// Base of the host's systems (input, physics, audio, renderer). A system gets
// every message: immediate ones through TransmitMessage, each frame's batch
// through TransmitQueue. It may consume its queue on a thread of its own.
class TW_API System {
 public:
  explicit System(const std::wstring& name) : mName(name) {}
  System(const System&) = delete;
  System& operator=(const System&) = delete;
  virtual ~System() = default;

  virtual void TransmitMessage(std::shared_ptr<Message> message);
  // Replaces the queue with a copy of the batch; unconsumed messages are dropped.
  virtual void TransmitQueue(const MessageQueue& messages);
  virtual void Update(float timeStep) = 0;
  // 0 on success, anything else on failure.
  virtual int Release() = 0;
  [[nodiscard]] virtual std::wstring GetName() const { return mName; }
  virtual void Initialize() {}

 protected:
  std::wstring mName;
  MessageQueue mMessageQueue;
  std::mutex mQueueMutex;
};
