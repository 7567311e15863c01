#pragma once
#include <cstdint>

// Kinds carried inside messages. The numbers the engine itself sends are the
// contract with the host's systems; the rest are the host's to use.

// What a PhysicsMessage asks the host's physics to do.
enum PhysicsMessageType : std::int32_t {
  PMT_SET_VELOCITY = 1,
  PMT_SET_POSITION = 2,
  // Moves the object into the group named by the message; the vector is ignored.
  PMT_SET_COLLISION_GROUP = 6,
};

// Whether two objects in a CollisionMessage started or stopped touching.
enum CollisionMessageType : std::int32_t {
  CMT_CONTACT_BEGIN = 0,
  CMT_CONTACT_END = 1,
};

// What a LoadResourceMessage asks the renderer to load. 2 is unused.
enum ResourceType : std::int32_t {
  RT_MODEL = 0,
  RT_TEXTURE = 1,
  RT_SHADER = 3,
};

enum PauseMessageType : std::int32_t {
  // Sent by the bus when the window loses focus, or regains it after being
  // minimized; always with object id 0.
  PAUSE_WINDOW_FOCUS = 0,
  PAUSE_BY_PLAYER = 1,
};

// The host's menu screens; the engine never shows a menu itself.
enum eMENUTYPE : std::int32_t {
  MENUTYPE_MAIN = 0,
  MENUTYPE_PAUSE = 1,
  MENUTYPE_OPTIONS = 2,
  MENUTYPE_CREDITS = 3,
  MENUTYPE_GAME_OVER = 4,
};
