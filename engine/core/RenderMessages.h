#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "core/Message.h"
#include "core/MessageEnums.h"
#include "platform/Export.h"
#include "vectormath/vectormath_aos.h"

class Camera;

// Messages for the host's renderer: resources to load or drop, what to draw
// and which menu to show.

// Queued while a level or archetype is read, one per texture, model or shader
// it names.
class TW_API LoadResourceMessage : public Message {
 public:
  LoadResourceMessage(const std::wstring& sender, ResourceType type, const std::string& name)
      : Message(sender, MT_LOAD_RESOURCE), mType(type), mName(name) {}
  LoadResourceMessage(const std::wstring* lastingSender, ResourceType type, const std::string& name)
      : Message(lastingSender, MT_LOAD_RESOURCE), mType(type), mName(name) {}

  [[nodiscard]] ResourceType GetType() const { return mType; }
  void SetType(ResourceType type) { mType = type; }
  [[nodiscard]] std::string GetName() const { return mName; }
  void SetName(const std::string& name) { mName = name; }

 private:
  ResourceType mType;
  std::string mName;
};

class TW_API SetBackgroundColorMessage : public Message {
 public:
  SetBackgroundColorMessage(const std::wstring& sender, const Vectormath::Aos::Vector3& color)
      : Message(sender, MT_SET_BACKGROUND_COLOR), mColor(color) {}

  [[nodiscard]] const Vectormath::Aos::Vector3& GetColor() const { return mColor; }
  void SetColor(const Vectormath::Aos::Vector3& color) { mColor = color; }

 private:
  Vectormath::Aos::Vector3 mColor;
};

class TW_API ShowMenuMessage : public Message {
 public:
  ShowMenuMessage(const std::wstring& sender, eMENUTYPE type, bool visible)
      : Message(sender, MT_SHOW_MENU), mType(type), mVisible(visible) {}

  [[nodiscard]] const eMENUTYPE& GetType() const { return mType; }
  void SetType(eMENUTYPE type) { mType = type; }
  [[nodiscard]] const bool& IsVisible() const { return mVisible; }
  void SetVisible(bool visible) { mVisible = visible; }

 private:
  eMENUTYPE mType;
  bool mVisible;
};

// Queued when a level is unloaded, after the destruction messages: the
// renderer drops every resource it loaded for it.
class TW_API ClearResourcesMessage : public Message {
 public:
  explicit ClearResourcesMessage(const std::wstring& sender) : Message(sender, MT_CLEAR_RESOURCES) {}
};

// How the renderer draws one object's debug shape.
class TW_API DebugMessage : public Message {
 public:
  DebugMessage(const std::wstring& sender, std::uint32_t objID, unsigned int drawFlags,
               const Vectormath::Aos::Vector4& normalColor, const Vectormath::Aos::Vector4& staticColor,
               const Vectormath::Aos::Vector4& ghostColor, const Vectormath::Aos::Vector4& staticGhostColor)
      : Message(sender, MT_DEBUG),
        mObjID(objID),
        mDrawFlags(drawFlags),
        mNormalColor(normalColor),
        mStaticColor(staticColor),
        mGhostColor(ghostColor),
        mStaticGhostColor(staticGhostColor) {}

  [[nodiscard]] std::uint32_t GetObjID() const { return mObjID; }
  void SetObjID(std::uint32_t objID) { mObjID = objID; }
  [[nodiscard]] unsigned int GetDrawFlags() const { return mDrawFlags; }
  void SetDraw(unsigned int drawFlags) { mDrawFlags = drawFlags; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetNormalColor() const { return mNormalColor; }
  void SetNormalColor(const Vectormath::Aos::Vector4& color) { mNormalColor = color; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetStaticColor() const { return mStaticColor; }
  void SetStaticColor(const Vectormath::Aos::Vector4& color) { mStaticColor = color; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetGhostColor() const { return mGhostColor; }
  void SetGhostColor(const Vectormath::Aos::Vector4& color) { mGhostColor = color; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetStaticGhostColor() const { return mStaticGhostColor; }
  void SetStaticGhostColor(const Vectormath::Aos::Vector4& color) { mStaticGhostColor = color; }

 private:
  std::uint32_t mObjID;
  unsigned int mDrawFlags;
  Vectormath::Aos::Vector4 mNormalColor;
  Vectormath::Aos::Vector4 mStaticColor;
  Vectormath::Aos::Vector4 mGhostColor;
  Vectormath::Aos::Vector4 mStaticGhostColor;
};

// One line drawn for a single frame.
class TW_API DrawImmediateLineMessage : public Message {
 public:
  DrawImmediateLineMessage(const std::wstring& sender, const Vectormath::Aos::Vector3& p0,
                           const Vectormath::Aos::Vector3& p1, const Vectormath::Aos::Vector4& color)
      : Message(sender, MT_DRAW_IMMEDIATE_LINE), mP0(p0), mP1(p1), mColor(color) {}

  [[nodiscard]] Vectormath::Aos::Vector3 GetP0() const { return mP0; }
  void SetP0(const Vectormath::Aos::Vector3& p0) { mP0 = p0; }
  [[nodiscard]] Vectormath::Aos::Vector3 GetP1() const { return mP1; }
  void SetP1(const Vectormath::Aos::Vector3& p1) { mP1 = p1; }
  [[nodiscard]] Vectormath::Aos::Vector4 GetColor() const { return mColor; }
  void SetColor(const Vectormath::Aos::Vector4& color) { mColor = color; }

 private:
  Vectormath::Aos::Vector3 mP0;
  Vectormath::Aos::Vector3 mP1;
  Vectormath::Aos::Vector4 mColor;
};

// Tells the renderer which camera shows a player's view. The camera is held
// weakly: the message must not keep a destroyed player's camera alive.
class TW_API RegisterCameraMessage : public Message {
 public:
  RegisterCameraMessage(const std::wstring& sender, const std::weak_ptr<Camera>& camera, unsigned int playerNumber)
      : Message(sender, MT_REGISTER_CAMERA), mCamera(camera), mPlayerNumber(playerNumber) {}

  [[nodiscard]] std::weak_ptr<Camera>& GetCamerPTR() { return mCamera; }
  [[nodiscard]] const std::weak_ptr<Camera>& GetCamerPTR() const { return mCamera; }
  [[nodiscard]] unsigned int GetPlayerNumber() const { return mPlayerNumber; }

 private:
  std::weak_ptr<Camera> mCamera;
  unsigned int mPlayerNumber;
};
