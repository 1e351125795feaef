#pragma once

#include <gtest/gtest.h>

class CGameWorld;
class CTank;

namespace worldtest {

// Every command of the tank's queue starts where the one before it ends, the
// first where the tank stands.
::testing::AssertionResult QueueIsAChain(const CTank& tank);

// What must hold between any two calls into a world, whatever came in: tanks
// on open cells of the grid, one to a cell, with 1 to 100 hit points, queues
// that are chains, each seeing its own cell; each living tank in exactly one
// slot of its own team and the alive counts matching the slots; team sizes,
// steps, the victory count and the mode in range; the selection flag on the
// selected tank only; effects of an opacity in (0, 1].
::testing::AssertionResult HoldsInvariants(const CGameWorld& world);

}  // namespace worldtest
