#include "physics/OneIslandWorld.h"

#include <algorithm>

namespace {

// A body that never turns moves along its velocity.
btTransform Advanced(const btRigidBody& body, btScalar timeStep) {
  btTransform moved = body.getWorldTransform();
  moved.setOrigin(moved.getOrigin() + body.getLinearVelocity() * timeStep);
  return moved;
}

const btDbvtProxy* ProxyOf(const btAlignedObjectArray<btRigidBody*>& bodies, int at) {
  return at < bodies.size() ? static_cast<const btDbvtProxy*>(bodies[at]->getBroadphaseHandle()) : nullptr;
}

// A body's record in the tree and its leaf lie far apart in memory in a large
// level, and its box is updated right after its move is predicted: the
// records of bodies a few places ahead, and the leaves of nearer ones (whose
// records have arrived by then), are fetched early.
void FetchProxy(const btAlignedObjectArray<btRigidBody*>& bodies, int at) {
  constexpr int kProxiesAhead = 4;
  constexpr int kLeavesAhead = 2;
  if (const btDbvtProxy* proxy = ProxyOf(bodies, at + kProxiesAhead)) __builtin_prefetch(proxy);
  if (const btDbvtProxy* proxy = ProxyOf(bodies, at + kLeavesAhead)) __builtin_prefetch(proxy->leaf);
}

}  // namespace

int OneIslandWorld::stepSimulation(btScalar timeStep, int maxSubSteps, btScalar fixedTimeStep) {
  m_fixedTimeStep = fixedTimeStep;
  m_localTime += timeStep;
  int steps = 0;
  if (m_localTime >= fixedTimeStep) {
    steps = static_cast<int>(m_localTime / fixedTimeStep);
    m_localTime -= static_cast<btScalar>(steps) * fixedTimeStep;
  }
  // The rest of a frame longer than the most substeps is dropped, so one stall cannot snowball.
  steps = std::min(steps, maxSubSteps);
  for (int i = 0; i < steps; ++i) {
    Substep(fixedTimeStep, i == 0 ? fixedTimeStep * static_cast<btScalar>(steps) : 0.0f, i + 1 == steps);
  }
  // Forces last one frame, stepped or not.
  if (steps == 0) clearForces();
  return steps;
}

void OneIslandWorld::Substep(btScalar timeStep, btScalar kinematicSpan, bool last) {
  const bool first = kinematicSpan > 0.0f;
  mForced.resize(0);
  for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
    FetchProxy(m_nonStaticRigidBodies, i);
    btRigidBody* body = m_nonStaticRigidBodies[i];
    if (body->isKinematicObject()) {
      // Its speed is taken from where the host moved it since the last step.
      if (first) body->saveKinematicState(kinematicSpan);
    } else {
      if (first) body->applyGravity();
      // The host damps velocities itself; Bullet's damping of 0 would cost two powers a body.
      if (body->getLinearDamping() != 0.0f || body->getAngularDamping() != 0.0f) body->applyDamping(timeStep);
      body->setInterpolationWorldTransform(Advanced(*body, timeStep));
      if (!body->getTotalForce().isZero()) mForced.push_back(body);
    }
    // The box spans where the body is and where it is going.
    updateSingleAabb(body);
  }

  btDispatcherInfo& dispatchInfo = getDispatchInfo();
  dispatchInfo.m_timeStep = timeStep;
  dispatchInfo.m_stepCount = 0;
  dispatchInfo.m_debugDraw = getDebugDrawer();
  computeOverlappingPairs();
  getDispatcher()->dispatchAllCollisionPairs(getPairCache(), dispatchInfo, getDispatcher());

  getSolverInfo().m_timeStep = timeStep;
  Solve(getSolverInfo());

  for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
    btRigidBody* body = m_nonStaticRigidBodies[i];
    if (!body->isKinematicObject()) {
      const btTransform moved = Advanced(*body, timeStep);
      // What proceedToTransform does, without the world inertia of a body that cannot turn.
      body->setInterpolationWorldTransform(moved);
      body->setInterpolationLinearVelocity(body->getLinearVelocity());
      body->setInterpolationAngularVelocity(body->getAngularVelocity());
      body->setWorldTransform(moved);
    }
    if (last) body->clearForces();
  }
  updateActions(timeStep);
}

void OneIslandWorld::Solve(btContactSolverInfo& info) {
  mManifolds.resize(0);
  btDispatcher* dispatcher = getDispatcher();
  for (int i = 0; i < dispatcher->getNumManifolds(); ++i) {
    btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
    // As the islands do: ghosts and movers meeting movers touch without pushing.
    if (manifold->getNumContacts() > 0 && dispatcher->needsResponse(manifold->getBody0(), manifold->getBody1()))
      mManifolds.push_back(manifold);
  }
  m_constraintSolver->prepareSolve(mForced.size(), mManifolds.size());
  if (mForced.size() > 0 || mManifolds.size() > 0 || m_constraints.size() > 0) {
    // The solver takes the bodies of the contacts from the contacts themselves.
    m_constraintSolver->solveGroup(mForced.size() > 0 ? &mForced[0] : nullptr, mForced.size(),
                                   mManifolds.size() > 0 ? &mManifolds[0] : nullptr, mManifolds.size(),
                                   m_constraints.size() > 0 ? &m_constraints[0] : nullptr, m_constraints.size(), info,
                                   m_debugDrawer, dispatcher);
  }
  m_constraintSolver->allSolved(info, m_debugDrawer);
}
