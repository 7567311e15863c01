#pragma once
#include <SDL.h>

#include <string>
#include <utility>

#include "core/Message.h"
#include "platform/Export.h"
#include "platform/Handles.h"

// Messages about the window, the graphics device and the host's services.
// The host makes them; the engine only carries them between its systems,
// apart from SDLEventMessage, whose window events the bus reads.

class TW_API ErrorMessage : public Message {
 public:
  // The two text pointers are kept as given (usually __func__ and __FILE__),
  // so they must outlive the message.
  ErrorMessage(const std::wstring& sender, std::string message, bool isFatal, const char* funcName,
               const char* sourceFile, unsigned int lineNum)
      : Message(sender, MT_ERROR),
        mErrorMessage(std::move(message)),
        mIsFatal(isFatal),
        mFuncName(funcName),
        mSourceFile(sourceFile),
        mLineNum(lineNum) {}

  [[nodiscard]] std::string GetErrorMessage() const { return mErrorMessage; }
  [[nodiscard]] bool GetIsFatal() const { return mIsFatal; }
  [[nodiscard]] const char* GetFuncName() const { return mFuncName; }
  [[nodiscard]] const char* GetSourceFile() const { return mSourceFile; }
  [[nodiscard]] unsigned int GetLineNum() const { return mLineNum; }

 private:
  std::string mErrorMessage;
  bool mIsFatal;
  const char* mFuncName;
  const char* mSourceFile;
  unsigned int mLineNum;
};

class TW_API WindowMessage : public Message {
 public:
  WindowMessage(const std::wstring& sender, HWND handle, HINSTANCE instance)
      : Message(sender, MT_WINDOW), mHandle(handle), mInstance(instance) {}

  [[nodiscard]] HWND GetHandle() const { return mHandle; }
  [[nodiscard]] HINSTANCE GetInstance() const { return mInstance; }

 private:
  HWND mHandle;
  HINSTANCE mInstance;
};

class TW_API WindowSizeMessage : public Message {
 public:
  WindowSizeMessage(const std::wstring& sender, unsigned int width, unsigned int height)
      : Message(sender, MT_WINDOW_SIZE), mWidth(width), mHeight(height) {}

  [[nodiscard]] unsigned int GetWidth() const { return mWidth; }
  [[nodiscard]] unsigned int GetHeight() const { return mHeight; }
  void SetWidth(unsigned int width) { mWidth = width; }
  void SetHeight(unsigned int height) { mHeight = height; }

 private:
  unsigned int mWidth;
  unsigned int mHeight;
};

// Hands the host's graphics device from one system to another.
// The message owns one reference to the device it carries: SetDevice takes a
// new reference (AddRef) and gives back the one it held before (Release), a
// copy takes its own reference, and destruction gives back the last one, so
// the maker's own reference is never touched.
class TW_API GraphicsDeviceMessage : public Message {
 public:
  explicit GraphicsDeviceMessage(const std::wstring& sender) : Message(sender, MT_GRAPHICS_DEVICE) {}
  GraphicsDeviceMessage(const GraphicsDeviceMessage& other);
  GraphicsDeviceMessage& operator=(const GraphicsDeviceMessage& other);
  ~GraphicsDeviceMessage() override;

  // The message's own slot, writable as a COM out-parameter is: a device
  // stored through it must carry one reference for the message, which the
  // message gives back when it dies; a device it held before is the writer's
  // to release. SetDevice does both by itself.
  [[nodiscard]] ID3D11Device*& GetDevice() { return mDevice; }
  [[nodiscard]] ID3D11Device* const& GetDevice() const { return mDevice; }
  void SetDevice(ID3D11Device* const& device);
  [[nodiscard]] int GetWidth() const { return mWidth; }
  void SetWidth(int width) { mWidth = width; }
  [[nodiscard]] int GetHeight() const { return mHeight; }
  void SetHeight(int height) { mHeight = height; }

 private:
  ID3D11Device* mDevice = nullptr;
  int mWidth = 800;
  int mHeight = 600;
};

// A raw SDL event from the host's window. The bus looks at window events
// (minimize, focus) to pause the game.
class TW_API SDLEventMessage : public Message {
 public:
  SDLEventMessage(const std::wstring& sender, const SDL_Event& event) : Message(sender, MT_SDL_EVENT), mEvent(event) {}

  [[nodiscard]] const SDL_Event& GetEvent() const { return mEvent; }
  void SetEvent(const SDL_Event& event) { mEvent = event; }
  [[nodiscard]] int GetHandled() const { return mHandled; }
  void SetHandled(int handled) { mHandled = handled; }

 private:
  SDL_Event mEvent;
  int mHandled = 0;
};

class TW_API FullScreenMessage : public Message {
 public:
  FullScreenMessage(const std::wstring& sender, bool fullScreen)
      : Message(sender, MT_FULL_SCREEN), mFullScreen(fullScreen) {}

  [[nodiscard]] bool GetFullScreen() const { return mFullScreen; }
  void SetFullScreen(bool fullScreen) { mFullScreen = fullScreen; }

 private:
  bool mFullScreen;
};

class TW_API HasKeyboardFocusMessage : public Message {
 public:
  HasKeyboardFocusMessage(const std::wstring& sender, bool hasFocus)
      : Message(sender, MT_HAS_KEYBOARD_FOCUS), mHasFocus(hasFocus) {}

  [[nodiscard]] bool GetHasFocus() const { return mHasFocus; }
  void SetHasFocus(bool hasFocus) { mHasFocus = hasFocus; }

 private:
  bool mHasFocus;
};

class TW_API DisplayCursorMessage : public Message {
 public:
  DisplayCursorMessage(const std::wstring& sender, bool displayFlag)
      : Message(sender, MT_DISPLAY_CURSOR), mDisplayFlag(displayFlag) {}

  [[nodiscard]] bool GetDisplayFlag() const { return mDisplayFlag; }

 private:
  bool mDisplayFlag;
};

// Lets the host's systems share one immediate-mode UI input state.
class TW_API ImGuiReferenceMessage : public Message {
 public:
  ImGuiReferenceMessage(const std::wstring& sender, ImGuiIO* io) : Message(sender, MT_IMGUI_REFERENCE), mIO(io) {}

  [[nodiscard]] ImGuiIO*& Get() { return mIO; }
  [[nodiscard]] ImGuiIO* const& Get() const { return mIO; }

 private:
  ImGuiIO* mIO;
};

// Asks the renderer where a player's view sits on screen; the answer is a
// ViewportResponseMessage.
class TW_API ViewportRequestMessage : public Message {
 public:
  ViewportRequestMessage(const std::wstring& sender, unsigned int playerNumber)
      : Message(sender, MT_VIEWPORT_REQUEST), mPlayerNumber(playerNumber) {}

  [[nodiscard]] unsigned int GetPlayerNumber() const { return mPlayerNumber; }

 private:
  unsigned int mPlayerNumber;
};

class TW_API ViewportResponseMessage : public Message {
 public:
  ViewportResponseMessage(const std::wstring& sender, unsigned int playerNumber, float width, float height, float topX,
                          float topY)
      : Message(sender, MT_VIEWPORT_RESPONSE),
        mPlayerNumber(playerNumber),
        mWidth(width),
        mHeight(height),
        mTopX(topX),
        mTopY(topY) {}

  [[nodiscard]] unsigned int GetPlayerNumber() const { return mPlayerNumber; }
  [[nodiscard]] float GetWidth() const { return mWidth; }
  [[nodiscard]] float GetHeight() const { return mHeight; }
  [[nodiscard]] float GetTopX() const { return mTopX; }
  [[nodiscard]] float GetTopY() const { return mTopY; }

 private:
  unsigned int mPlayerNumber;
  float mWidth;
  float mHeight;
  float mTopX;
  float mTopY;
};
