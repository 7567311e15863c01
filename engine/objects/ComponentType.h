#pragma once
#include <cstdint>

// Kinds of component. The numbers are fixed: they order an object's
// components, the factories' registration and the blocks in level files.
enum ComponentType : std::int32_t {
  CT_Object = 0,
  CT_Renderable = 1,
  CT_RigidBody = 2,
  CT_Collider = 3,
  CT_Transform = 4,
  CT_Controller = 5,
  CT_PlayerStats = 6,
  CT_Gun = 7,
  CT_Debug = 8,
  CT_Owner = 9,
  CT_Camera = 10,
  CT_LifeTime = 11,
  CT_StatModifier = 12,
  CT_Spawner = 13,
  CT_LevelRuleset = 14,
  CT_DamageDealer = 15,
  CT_GroupComponent = 16,
  CT_InteractorComponent = 17,
  CT_DoorComponent = 18,
  CT_RoomComponent = 19,
  CT_Light = 20,
  CT_PickupComponent = 21,
  CT_PressurePlate = 22,
  CT_EscapePod = 23,
  CT_Behavior = 24,
};

// Every behavior is component type 24; the kinds are told apart by this.
enum BehaviorType : std::int32_t {
  BT_FollowTarget = 0,
  BT_Scale = 1,
  BT_ColorChange = 2,
  BT_Pause = 3,
  BT_Flicker = 4,
  BT_TimedTextureChange = 5,
};

using ObjectID = std::uint32_t;
