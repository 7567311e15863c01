#include "components/ColliderPair.h"

ColliderPair::ColliderPair(Collider* firstCollider, Collider* secondCollider)
    : first(firstCollider), second(secondCollider) {}

ColliderPair& ColliderPair::operator=(const ColliderPair& other) {
  first = other.first;
  second = other.second;
  return *this;
}
