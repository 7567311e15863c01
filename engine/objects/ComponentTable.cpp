// The component-type table: one row per component class, in the order in
// which start-up makes and registers the factories (type number order, the
// behaviors last in behavior-kind order).
#include "objects/ComponentTable.h"

#include <memory>

#include "objects/BehaviorTypeFactory.h"
#include "objects/ComponentTypeFactory.h"
#include "objects/ObjectFactory.h"

#if __has_include("objects/Object.h")
#include "objects/Object.h"
#define TW_HAS_OBJECT 1
#endif
#if __has_include("components/Renderable.h")
#include "components/Renderable.h"
#define TW_HAS_RENDERABLE 1
#endif
#if __has_include("components/RigidBody.h")
#include "components/RigidBody.h"
#define TW_HAS_RIGIDBODY 1
#endif
#if __has_include("components/Collider.h")
#include "components/Collider.h"
#define TW_HAS_COLLIDER 1
#endif
#if __has_include("components/Transform.h")
#include "components/Transform.h"
#define TW_HAS_TRANSFORM 1
#endif
#if __has_include("input/Controller.h")
#include "input/Controller.h"
#define TW_HAS_CONTROLLER 1
#endif
#if __has_include("gameplay/PlayerStats.h")
#include "gameplay/PlayerStats.h"
#define TW_HAS_PLAYERSTATS 1
#endif
#if __has_include("gameplay/Gun.h")
#include "gameplay/Gun.h"
#define TW_HAS_GUN 1
#endif
#if __has_include("components/Debug.h")
#include "components/Debug.h"
#define TW_HAS_DEBUG 1
#endif
#if __has_include("gameplay/Owner.h")
#include "gameplay/Owner.h"
#define TW_HAS_OWNER 1
#endif
#if __has_include("components/Camera.h")
#include "components/Camera.h"
#define TW_HAS_CAMERA 1
#endif
#if __has_include("gameplay/LifeTime.h")
#include "gameplay/LifeTime.h"
#define TW_HAS_LIFETIME 1
#endif
#if __has_include("gameplay/StatModifier.h")
#include "gameplay/StatModifier.h"
#define TW_HAS_STATMODIFIER 1
#endif
#if __has_include("gameplay/Spawner.h")
#include "gameplay/Spawner.h"
#define TW_HAS_SPAWNER 1
#endif
#if __has_include("gameplay/LevelRuleset.h")
#include "gameplay/LevelRuleset.h"
#define TW_HAS_LEVELRULESET 1
#endif
#if __has_include("gameplay/DamageDealer.h")
#include "gameplay/DamageDealer.h"
#define TW_HAS_DAMAGEDEALER 1
#endif
#if __has_include("objects/GroupComponent.h")
#include "objects/GroupComponent.h"
#define TW_HAS_GROUPCOMPONENT 1
#endif
#if __has_include("gameplay/InteractorComponent.h")
#include "gameplay/InteractorComponent.h"
#define TW_HAS_INTERACTORCOMPONENT 1
#endif
#if __has_include("gameplay/DoorComponent.h")
#include "gameplay/DoorComponent.h"
#define TW_HAS_DOORCOMPONENT 1
#endif
#if __has_include("gameplay/RoomComponent.h")
#include "gameplay/RoomComponent.h"
#define TW_HAS_ROOMCOMPONENT 1
#endif
#if __has_include("components/Light.h")
#include "components/Light.h"
#define TW_HAS_LIGHT 1
#endif
#if __has_include("gameplay/PickupComponent.h")
#include "gameplay/PickupComponent.h"
#define TW_HAS_PICKUPCOMPONENT 1
#endif
#if __has_include("gameplay/PressurePlate.h")
#include "gameplay/PressurePlate.h"
#define TW_HAS_PRESSUREPLATE 1
#endif
#if __has_include("gameplay/EscapePod.h")
#include "gameplay/EscapePod.h"
#define TW_HAS_ESCAPEPOD 1
#endif
#if __has_include("behaviors/FollowTargetBehavior.h")
#include "behaviors/FollowTargetBehavior.h"
#define TW_HAS_FOLLOWTARGETBEHAVIOR 1
#endif
#if __has_include("behaviors/ScaleBehavior.h")
#include "behaviors/ScaleBehavior.h"
#define TW_HAS_SCALEBEHAVIOR 1
#endif
#if __has_include("behaviors/ColorChangeBehavior.h")
#include "behaviors/ColorChangeBehavior.h"
#define TW_HAS_COLORCHANGEBEHAVIOR 1
#endif
#if __has_include("behaviors/PauseBehavior.h")
#include "behaviors/PauseBehavior.h"
#define TW_HAS_PAUSEBEHAVIOR 1
#endif
#if __has_include("behaviors/FlickerBehavior.h")
#include "behaviors/FlickerBehavior.h"
#define TW_HAS_FLICKERBEHAVIOR 1
#endif
#if __has_include("behaviors/TimedTextureChangeBehavior.h")
#include "behaviors/TimedTextureChangeBehavior.h"
#define TW_HAS_TIMEDTEXTURECHANGEBEHAVIOR 1
#endif

void RegisterComponentFactories(ObjectFactory& factory) {
#ifdef TW_HAS_OBJECT
  factory.AddComponentFactory(L"Object", std::make_shared<ComponentTypeFactory<Object>>(CT_Object));
#endif
#ifdef TW_HAS_RENDERABLE
  factory.AddComponentFactory(L"Renderable", std::make_shared<ComponentTypeFactory<Renderable>>(CT_Renderable));
#endif
#ifdef TW_HAS_RIGIDBODY
  factory.AddComponentFactory(L"RigidBody", std::make_shared<ComponentTypeFactory<RigidBody>>(CT_RigidBody));
#endif
#ifdef TW_HAS_COLLIDER
  factory.AddComponentFactory(L"Collider", std::make_shared<ComponentTypeFactory<Collider>>(CT_Collider));
#endif
#ifdef TW_HAS_TRANSFORM
  factory.AddComponentFactory(L"Transform", std::make_shared<ComponentTypeFactory<Transform>>(CT_Transform));
#endif
#ifdef TW_HAS_CONTROLLER
  factory.AddComponentFactory(L"Controller", std::make_shared<ComponentTypeFactory<Controller>>(CT_Controller));
#endif
#ifdef TW_HAS_PLAYERSTATS
  factory.AddComponentFactory(L"PlayerStats", std::make_shared<ComponentTypeFactory<PlayerStats>>(CT_PlayerStats));
#endif
#ifdef TW_HAS_GUN
  factory.AddComponentFactory(L"Gun", std::make_shared<ComponentTypeFactory<Gun>>(CT_Gun));
#endif
#ifdef TW_HAS_DEBUG
  factory.AddComponentFactory(L"Debug", std::make_shared<ComponentTypeFactory<Debug>>(CT_Debug));
#endif
#ifdef TW_HAS_OWNER
  factory.AddComponentFactory(L"Owner", std::make_shared<ComponentTypeFactory<Owner>>(CT_Owner));
#endif
#ifdef TW_HAS_CAMERA
  factory.AddComponentFactory(L"Camera", std::make_shared<ComponentTypeFactory<Camera>>(CT_Camera));
#endif
#ifdef TW_HAS_LIFETIME
  factory.AddComponentFactory(L"LifeTime", std::make_shared<ComponentTypeFactory<LifeTime>>(CT_LifeTime));
#endif
#ifdef TW_HAS_STATMODIFIER
  factory.AddComponentFactory(L"StatModifier", std::make_shared<ComponentTypeFactory<StatModifier>>(CT_StatModifier));
#endif
#ifdef TW_HAS_SPAWNER
  factory.AddComponentFactory(L"Spawner", std::make_shared<ComponentTypeFactory<Spawner>>(CT_Spawner));
#endif
#ifdef TW_HAS_LEVELRULESET
  factory.AddComponentFactory(L"LevelRuleset", std::make_shared<ComponentTypeFactory<LevelRuleset>>(CT_LevelRuleset));
#endif
#ifdef TW_HAS_DAMAGEDEALER
  factory.AddComponentFactory(L"DamageDealer", std::make_shared<ComponentTypeFactory<DamageDealer>>(CT_DamageDealer));
#endif
#ifdef TW_HAS_GROUPCOMPONENT
  factory.AddComponentFactory(L"GroupComponent", std::make_shared<ComponentTypeFactory<GroupComponent>>(CT_GroupComponent));
#endif
#ifdef TW_HAS_INTERACTORCOMPONENT
  factory.AddComponentFactory(L"InteractorComponent", std::make_shared<ComponentTypeFactory<InteractorComponent>>(CT_InteractorComponent));
#endif
#ifdef TW_HAS_DOORCOMPONENT
  factory.AddComponentFactory(L"DoorComponent", std::make_shared<ComponentTypeFactory<DoorComponent>>(CT_DoorComponent));
#endif
#ifdef TW_HAS_ROOMCOMPONENT
  factory.AddComponentFactory(L"RoomComponent", std::make_shared<ComponentTypeFactory<RoomComponent>>(CT_RoomComponent));
#endif
#ifdef TW_HAS_LIGHT
  factory.AddComponentFactory(L"Light", std::make_shared<ComponentTypeFactory<Light>>(CT_Light));
#endif
#ifdef TW_HAS_PICKUPCOMPONENT
  factory.AddComponentFactory(L"PickupComponent", std::make_shared<ComponentTypeFactory<PickupComponent>>(CT_PickupComponent));
#endif
#ifdef TW_HAS_PRESSUREPLATE
  factory.AddComponentFactory(L"PressurePlate", std::make_shared<ComponentTypeFactory<PressurePlate>>(CT_PressurePlate));
#endif
#ifdef TW_HAS_ESCAPEPOD
  factory.AddComponentFactory(L"EscapePod", std::make_shared<ComponentTypeFactory<EscapePod>>(CT_EscapePod));
#endif
#ifdef TW_HAS_FOLLOWTARGETBEHAVIOR
  factory.AddComponentFactory(L"FollowTargetBehavior", std::make_shared<BehaviorTypeFactory<Behavior, FollowTargetBehavior>>(CT_Behavior, BT_FollowTarget));
#endif
#ifdef TW_HAS_SCALEBEHAVIOR
  factory.AddComponentFactory(L"ScaleBehavior", std::make_shared<BehaviorTypeFactory<Behavior, ScaleBehavior>>(CT_Behavior, BT_Scale));
#endif
#ifdef TW_HAS_COLORCHANGEBEHAVIOR
  factory.AddComponentFactory(L"ColorChangeBehavior", std::make_shared<BehaviorTypeFactory<Behavior, ColorChangeBehavior>>(CT_Behavior, BT_ColorChange));
#endif
#ifdef TW_HAS_PAUSEBEHAVIOR
  factory.AddComponentFactory(L"PauseBehavior", std::make_shared<BehaviorTypeFactory<Behavior, PauseBehavior>>(CT_Behavior, BT_Pause));
#endif
#ifdef TW_HAS_FLICKERBEHAVIOR
  factory.AddComponentFactory(L"FlickerBehavior", std::make_shared<BehaviorTypeFactory<Behavior, FlickerBehavior>>(CT_Behavior, BT_Flicker));
#endif
#ifdef TW_HAS_TIMEDTEXTURECHANGEBEHAVIOR
  factory.AddComponentFactory(L"TimedTextureChangeBehavior", std::make_shared<BehaviorTypeFactory<Behavior, TimedTextureChangeBehavior>>(CT_Behavior, BT_TimedTextureChange));
#endif
}
