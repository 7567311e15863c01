#pragma once
#include <string>

#include "core/MessageType.h"
#include "platform/Export.h"

// Base of every message on the bus. Messages travel as shared pointers and are
// never copied by the bus itself.
class TW_API Message {
 public:
  Message(const std::wstring& sender, MessageType type) : mType(type), mSender(sender) {}
  Message(const Message&) = default;
  Message& operator=(const Message&) = default;
  virtual ~Message() = default;

  [[nodiscard]] MessageType GetMessageId() const { return mType; }
  [[nodiscard]] const std::wstring& GetSender() const { return mSender; }

 private:
  MessageType mType;
  std::wstring mSender;
};
