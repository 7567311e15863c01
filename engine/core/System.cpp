#include "core/System.h"

void System::TransmitMessage(std::shared_ptr<Message> /*message*/) {}

void System::TransmitQueue(const MessageQueue& messages) {
  std::lock_guard<std::mutex> lock(mQueueMutex);
  mMessageQueue = messages;
}
