#pragma once
#include "platform/Export.h"

class Collider;

// Two colliders the host's physics handles together (a contact, a candidate
// pair). Does not own them.
class TW_API ColliderPair {
 public:
  ColliderPair(Collider* firstCollider, Collider* secondCollider);
  ColliderPair(const ColliderPair& other) = default;
  ColliderPair& operator=(const ColliderPair& other);
  ~ColliderPair() = default;

  Collider* first;
  Collider* second;
};
