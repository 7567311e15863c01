#pragma once
#include <cstdint>

#include "platform/Export.h"

// Handles the engine carries for the host without ever looking inside them.
// The names match the Windows ones so that host code reads the same on every
// platform; on Linux the host decides what the pointers really point at.

struct HWND__;
struct HINSTANCE__;
using HWND = HWND__*;
using HINSTANCE = HINSTANCE__*;

// The host's graphics device, reference counted the COM way: whoever holds a
// pointer owns one reference and gives it back with Release(). The engine only
// passes it along in GraphicsDeviceMessage.
class TW_API ID3D11Device {
 public:
  ID3D11Device() = default;
  ID3D11Device(const ID3D11Device&) = delete;
  ID3D11Device& operator=(const ID3D11Device&) = delete;

  // Both return the reference count after the call.
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  // Devices are destroyed by their last Release(), never through this type.
  virtual ~ID3D11Device() = default;
};

// Dear ImGui's input state; only ever carried as a pointer.
struct ImGuiIO;
