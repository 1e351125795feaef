#include "ai/CHardPlanner.h"

#include "units/CTank.h"
#include "world/CTeamView.h"

void CHardPlanner::Reset() {
  m_memory.Clear();
  m_watch.Reset();
  m_expectedPlans = 0;
  m_worstPlan = 0;
}

const std::vector<TurnOrders>& CHardPlanner::GetExpected(std::size_t plan) const {
  return plan < m_expectedPlans ? m_expected[plan] : m_none;
}

bool CHardPlanner::IsAhead() const {
  std::int32_t tanks[2] = {0, 0};
  std::int32_t hitPoints[2] = {0, 0};
  for (const CKnownMatch::Tank& tank : m_known.GetTanks()) {
    const std::size_t side = tank.m_team == m_known.GetTeam() ? 0 : 1;
    ++tanks[side];
    hitPoints[side] += tank.m_state.hp;
  }
  return tanks[0] > tanks[1] || (tanks[0] == tanks[1] && hitPoints[0] > hitPoints[1]);
}

void CHardPlanner::AddForecastShots() {
  const std::vector<CKnownMatch::Tank>& tanks = m_known.GetTanks();
  for (std::size_t plan = 0; plan < m_forecast.GetPlanCount(); ++plan) {
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (tanks[i].m_team == m_known.GetTeam()) continue;
      const TurnOrders& orders = m_forecast.GetOrders(plan, i);
      for (std::int32_t step = 0; step < TurnOrders::mc_steps; ++step) {
        if (orders.m_fires[step]) {
          m_enemyLines.AddShot(m_known, step, orders.m_poses[step], CEnemyForecast::mc_likelihood[plan],
                               static_cast<std::int32_t>(i));
        }
      }
    }
  }
}

void CHardPlanner::KeepExpected() {
  const std::vector<CKnownMatch::Tank>& tanks = m_known.GetTanks();
  m_expectedPlans = m_forecast.GetPlanCount();
  for (std::size_t plan = 0; plan < m_expectedPlans; ++plan) {
    m_expected[plan].clear();
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      if (tanks[i].m_team != m_known.GetTeam()) m_expected[plan].push_back(m_forecast.GetOrders(plan, i));
    }
  }
  m_worstPlan = m_search.GetWorstPlan();
}

void CHardPlanner::PlanTeam(const CTeamView& view, CTankSlots<CTank> own) {
  if (!view.GetMap().HasGrid()) return;
  m_memory.Update(view);
  m_known.Build(view, m_memory);
  m_watch.Look(m_known);
  if (m_watch.IsRepeating() && IsAhead()) m_watch.StartPress();
  m_purposes.Assign(m_known, m_watch);
  m_ownLines.Build(m_known, m_known.GetTeam());
  m_forecast.Build(m_known, m_ownLines);
  m_enemyLines.Build(m_known, m_known.GetEnemy());
  AddForecastShots();

  std::size_t ownTanks = 0;
  for (const CKnownMatch::Tank& tank : m_known.GetTanks()) ownTanks += tank.m_team == m_known.GetTeam() ? 1 : 0;
  m_shortlist.Build(m_known, m_enemyLines, m_forecast, m_purposes,
                    CTeamSearch::PerTank(ownTanks, m_forecast.GetPlanCount()));
  m_rating.Prepare(m_known, m_purposes, m_watch.IsPressing());
  m_search.Run(m_known, m_shortlist, m_forecast, m_rating);
  for (CTank* tank : own) {
    if (!tank) continue;
    const std::int32_t index = m_known.IndexOf(m_known.GetTeam(), tank->GetSlot());
    if (index == CKnownMatch::mc_none) {
      tank->ClearCommands();
    } else {
      const TurnOrders& orders = m_search.GetChosen(static_cast<std::size_t>(index));
      QueueOrders(*tank, orders, view.GetMap());
      m_watch.Planned(tank->GetSlot(), tank->GetState(), orders.m_poses[TurnOrders::mc_steps]);
    }
    tank->SetHitFromBehind(false);
  }
  KeepExpected();
}
