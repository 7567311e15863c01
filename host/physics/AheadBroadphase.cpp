#include "physics/AheadBroadphase.h"

namespace {

// The tree's lists of proxies by the step they were last moved in.
void Link(btDbvtProxy* proxy, btDbvtProxy*& list) {
  proxy->links[0] = nullptr;
  proxy->links[1] = list;
  if (list != nullptr) list->links[0] = proxy;
  list = proxy;
}

void Unlink(btDbvtProxy* proxy, btDbvtProxy*& list) {
  if (proxy->links[0] != nullptr) {
    proxy->links[0]->links[1] = proxy->links[1];
  } else {
    list = proxy->links[1];
  }
  if (proxy->links[1] != nullptr) proxy->links[1]->links[0] = proxy->links[0];
}

// Pairs a proxy with every one whose box in the tree overlaps its own.
struct PairWith : btDbvt::ICollide {
  explicit PairWith(btDbvtBroadphase& owner) : broadphase(owner) {}
  void Process(const btDbvtNode* a, const btDbvtNode* b) override {
    if (a == b) return;
    broadphase.m_paircache->addOverlappingPair(static_cast<btDbvtProxy*>(a->data), static_cast<btDbvtProxy*>(b->data));
    ++broadphase.m_newpairs;
  }
  btDbvtBroadphase& broadphase;
};

}  // namespace

void AheadBroadphase::setAabb(btBroadphaseProxy* handle, const btVector3& aabbMin, const btVector3& aabbMax,
                              btDispatcher* /*dispatcher*/) {
  auto* proxy = static_cast<btDbvtProxy*>(handle);
  btDbvtVolume box = btDbvtVolume::FromMM(aabbMin, aabbMax);
  bool moved = false;
  if (proxy->stage == STAGECOUNT) {
    // Still for a while, it had gone to the tree of fixed bodies; it moves again.
    m_sets[FIXED_SET].remove(proxy->leaf);
    proxy->leaf = m_sets[DYNAMIC_SET].insert(box, proxy);
    moved = true;
  } else {
    ++m_updates_call;
    if (Intersect(proxy->leaf->volume, box)) {
      const btVector3 delta = aabbMin - proxy->m_aabbMin;
      const btVector3 reach = (proxy->m_aabbMax - proxy->m_aabbMin) / 2 * m_prediction;
      btVector3 ahead(0, 0, 0);
      for (int axis = 0; axis < 3; ++axis) {
        if (delta[axis] > 0) ahead[axis] = reach[axis];
        if (delta[axis] < 0) ahead[axis] = -reach[axis];
      }
      // False while the box is still inside the one in the tree.
      moved = m_sets[DYNAMIC_SET].update(proxy->leaf, box, ahead, gDbvtMargin);
    } else {
      // Teleported.
      m_sets[DYNAMIC_SET].update(proxy->leaf, box);
      moved = true;
    }
    if (moved) ++m_updates_done;
  }
  Unlink(proxy, m_stageRoots[proxy->stage]);
  proxy->m_aabbMin = aabbMin;
  proxy->m_aabbMax = aabbMax;
  proxy->stage = m_stageCurrent;
  Link(proxy, m_stageRoots[m_stageCurrent]);
  if (!moved) return;
  m_needcleanup = true;
  if (m_deferedcollide) return;
  PairWith pairs(*this);
  m_sets[FIXED_SET].collideTTpersistentStack(m_sets[FIXED_SET].m_root, proxy->leaf, pairs);
  m_sets[DYNAMIC_SET].collideTTpersistentStack(m_sets[DYNAMIC_SET].m_root, proxy->leaf, pairs);
}
