#pragma once
#include <string>

#include "core/MessageType.h"
#include "platform/Export.h"

// Base of every message on the bus. Messages travel as shared pointers and are
// never copied by the bus itself.
class TW_API Message {
 public:
  Message(const std::wstring& sender, MessageType type) : mType(type), mSender(sender), mSenderName(&mSender) {}
  // For a sender name that outlives every message: pointed to, not copied.
  Message(const std::wstring* lastingSender, MessageType type) : mType(type), mSenderName(lastingSender) {}
  Message(const Message& other) : mType(other.mType), mSender(other.mSender), mSenderName(SenderOf(other)) {}
  Message& operator=(const Message& other) {
    mType = other.mType;
    mSender = other.mSender;
    mSenderName = SenderOf(other);
    return *this;
  }
  virtual ~Message() = default;

  [[nodiscard]] MessageType GetMessageId() const { return mType; }
  [[nodiscard]] const std::wstring& GetSender() const { return *mSenderName; }

 private:
  const std::wstring* SenderOf(const Message& other) const {
    return other.mSenderName == &other.mSender ? &mSender : other.mSenderName;
  }

  MessageType mType;
  std::wstring mSender;
  const std::wstring* mSenderName;
};
