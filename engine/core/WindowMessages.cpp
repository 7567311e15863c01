#include "core/WindowMessages.h"

GraphicsDeviceMessage::GraphicsDeviceMessage(const GraphicsDeviceMessage& other)
    : Message(other), mDevice(other.mDevice), mWidth(other.mWidth), mHeight(other.mHeight) {
  if (mDevice != nullptr) {
    mDevice->AddRef();
  }
}

GraphicsDeviceMessage& GraphicsDeviceMessage::operator=(const GraphicsDeviceMessage& other) {
  Message::operator=(other);
  SetDevice(other.mDevice);
  mWidth = other.mWidth;
  mHeight = other.mHeight;
  return *this;
}

GraphicsDeviceMessage::~GraphicsDeviceMessage() {
  if (mDevice != nullptr) {
    mDevice->Release();
  }
}

void GraphicsDeviceMessage::SetDevice(ID3D11Device* const& device) {
  // Take the new reference first: setting the same device again must not
  // drop its count to zero on the way.
  ID3D11Device* const next = device;  // may alias mDevice (self-assignment)
  if (next != nullptr) {
    next->AddRef();
  }
  ID3D11Device* const previous = mDevice;
  mDevice = next;
  if (previous != nullptr) {
    previous->Release();
  }
}
