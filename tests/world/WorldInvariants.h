#pragma once

#include <gtest/gtest.h>

class CGameSession;
class CGameWorld;
class CTank;

namespace worldtest {

// Every command of the tank's queue starts where the one before it ends, the
// first where the tank stands.
::testing::AssertionResult QueueIsAChain(const CTank& tank);

// What must hold in a match between any two calls into it: tanks on open
// cells of the grid, one to a cell, with 1 to 100 hit points, queues that are
// chains, each seeing its own cell; each living tank in exactly one slot of
// its own team and the alive counts matching the slots; steps and the
// victory count in range.
::testing::AssertionResult MatchHolds(const CGameWorld& match);

// The same of a session's match, and besides: team sizes and the mode in
// range, the selection on a slot the team has, effects of an opacity in (0, 1].
::testing::AssertionResult HoldsInvariants(const CGameSession& session);

}  // namespace worldtest
