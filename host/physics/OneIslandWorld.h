#pragma once
#include <btBulletDynamicsCommon.h>

// Bullet's step walks every moving body about ten times (gravity, damping,
// predicted motion twice, boxes, solver set-up and write-back, integration,
// sleep, motion states, forces); in a large level each walk brings every
// body back from memory. Our bodies never turn, never sleep, have no motion
// states and no continuous collision, so the step here walks them twice:
// once to apply forces and damping, predict where they go and update their
// boxes, once after the solver to move them. Only bodies under a force or in
// contact go to the solver; for the others it would change nothing. Islands
// buy nothing either (Bullet builds them over every body, static ones too):
// all contacts are solved as one group.
class OneIslandWorld : public btDiscreteDynamicsWorld {
 public:
  using btDiscreteDynamicsWorld::btDiscreteDynamicsWorld;

  // Bullet's fixed-step accounting; the time left over is kept for the next frame.
  int stepSimulation(btScalar timeStep, int maxSubSteps, btScalar fixedTimeStep) override;

 private:
  // `kinematicSpan` is the time the frame's moves of kinematic bodies span,
  // on the first substep only (0 on the others); the last one clears forces.
  void Substep(btScalar timeStep, btScalar kinematicSpan, bool last);
  void Solve(btContactSolverInfo& info);

  btAlignedObjectArray<btCollisionObject*> mForced;
  btAlignedObjectArray<btPersistentManifold*> mManifolds;
};
