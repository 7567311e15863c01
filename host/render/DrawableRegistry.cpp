#include "render/DrawableRegistry.h"

#include "core/ObjectMessages.h"
#include "core/RenderMessages.h"
#include "objects/Object.h"

void DrawableRegistry::Hear(const Message& message) {
  switch (message.GetMessageId()) {
    case MT_CREATED_COMPONENT: {
      const auto& created = static_cast<const CreatedComponentMessage&>(message);
      const ComponentType type = created.GetComponentType();
      if (type != CT_Renderable && type != CT_Light) break;
      const auto component = created.GetComponentPTR().lock();
      const auto object = component ? component->GetParent().lock() : nullptr;
      if (!object) break;
      // A replaced component leaves its object in the table: drawing asks the object.
      (type == CT_Renderable ? mDrawables : mLights)[object->GetID()] = object;
      break;
    }
    case MT_DESTROYED_OBJECT: {
      const ObjectID id = static_cast<const DestroyedObjectMessage&>(message).GetObjectID();
      mDrawables.erase(id);
      mLights.erase(id);
      break;
    }
    case MT_LOAD_RESOURCE: {
      const auto& load = static_cast<const LoadResourceMessage&>(message);
      mResources.insert(std::to_string(static_cast<int>(load.GetType())) + ":" + load.GetName());
      break;
    }
    case MT_CLEAR_RESOURCES:
      mResources.clear();
      break;
    default:
      break;
  }
}

void DrawableRegistry::Clear() {
  mDrawables.clear();
  mLights.clear();
}
