#include "ai/CTeamSearch.h"

#include <algorithm>

#include "ai/CEndRating.h"
#include "ai/CEnemyForecast.h"
#include "ai/CKnownMatch.h"
#include "ai/CShortlist.h"
#include "world/TurnPlayout.h"

std::size_t CTeamSearch::PerTank(std::size_t ownTanks, std::size_t enemyPlans) {
  const std::size_t perPass = std::max<std::size_t>(ownTanks, 1) * std::max<std::size_t>(enemyPlans, 1);
  const std::size_t fits = static_cast<std::size_t>(mc_playouts) / (perPass * mc_passes);
  return std::min<std::size_t>(std::max<std::size_t>(fits, mc_leastPerTank), mc_mostPerTank);
}

const TurnOrders& CTeamSearch::GetChosen(std::size_t tank) const {
  return tank < m_chosen.size() ? m_chosen[tank] : m_none;
}

std::int64_t CTeamSearch::Worth(const CKnownMatch& known, const CShortlist& shortlist,
                                const CEnemyForecast& forecast, CEndRating& rating) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  const std::size_t plans = std::max<std::size_t>(forecast.GetPlanCount(), 1);
  m_ratings.assign(plans, 0);
  std::int64_t sum = 0;
  std::int64_t worst = 0;
  for (std::size_t plan = 0; plan < plans; ++plan) {
    m_played = known.GetMatch();
    const CMap& map = m_played.GetMap();
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      CTank* tank = m_played.GetTeamTanks(tanks[i].m_team)[tanks[i].m_slot];
      if (!tank) continue;
      if (tanks[i].m_team == known.GetTeam()) {
        const std::vector<TurnOrders>& list = shortlist.Get(i);
        if (m_choice[i] < list.size()) QueueOrders(*tank, list[m_choice[i]], map);
      } else if (forecast.GetPlanCount() > 0) {
        QueueOrders(*tank, forecast.GetOrders(plan, i), map);
      }
    }
    PlayTurnOut(m_played);
    ++m_playouts;
    const std::int64_t rated = rating.Rate(m_played);
    m_ratings[plan] = rated;
    sum += rated;
    worst = plan == 0 ? rated : std::min(worst, rated);
  }
  const std::int64_t mean = sum / static_cast<std::int64_t>(plans);
  return (worst * mc_worstPercent + mean * (100 - mc_worstPercent)) / 100;
}

void CTeamSearch::KeepWorstPlan() {
  m_worstPlan = static_cast<std::size_t>(std::min_element(m_ratings.begin(), m_ratings.end()) - m_ratings.begin());
}

bool CTeamSearch::Keeps(std::int64_t worth, std::int64_t& best) {
  if (worth <= best) return false;
  best = worth;
  KeepWorstPlan();
  return true;
}

void CTeamSearch::TryPairs(const CKnownMatch& known, const CShortlist& shortlist, const CEnemyForecast& forecast,
                           CEndRating& rating, std::int64_t& best) {
  const std::size_t tanks = known.GetTanks().size();
  const auto plans = static_cast<std::int32_t>(std::max<std::size_t>(forecast.GetPlanCount(), 1));
  for (std::size_t i = 0; i < tanks; ++i) {
    const std::size_t first = std::min(mc_pairedPerTank, shortlist.Get(i).size());
    for (std::size_t j = i + 1; j < tanks; ++j) {
      const std::size_t second = std::min(mc_pairedPerTank, shortlist.Get(j).size());
      for (std::size_t a = 0; a < first; ++a) {
        for (std::size_t b = 0; b < second; ++b) {
          // One tank's change alone the passes have tried.
          if (a == m_choice[i] || b == m_choice[j]) continue;
          if (m_playouts + plans > mc_playouts) return;
          const std::size_t wasFirst = m_choice[i];
          const std::size_t wasSecond = m_choice[j];
          m_choice[i] = a;
          m_choice[j] = b;
          if (!Keeps(Worth(known, shortlist, forecast, rating), best)) {
            m_choice[i] = wasFirst;
            m_choice[j] = wasSecond;
          }
        }
      }
    }
  }
}

void CTeamSearch::Run(const CKnownMatch& known, const CShortlist& shortlist, const CEnemyForecast& forecast,
                      CEndRating& rating) {
  const std::vector<CKnownMatch::Tank>& tanks = known.GetTanks();
  m_choice.assign(tanks.size(), 0);
  m_playouts = 0;
  const std::size_t plans = std::max<std::size_t>(forecast.GetPlanCount(), 1);
  std::int64_t best = Worth(known, shortlist, forecast, rating);
  KeepWorstPlan();
  for (std::int32_t pass = 0; pass < mc_passes; ++pass) {
    bool better = false;
    for (std::size_t i = 0; i < tanks.size(); ++i) {
      const std::size_t options = shortlist.Get(i).size();
      for (std::size_t option = 0; option < options; ++option) {
        if (option == m_choice[i]) continue;
        if (m_playouts + static_cast<std::int32_t>(plans) > mc_playouts) break;
        const std::size_t was = m_choice[i];
        m_choice[i] = option;
        if (Keeps(Worth(known, shortlist, forecast, rating), best)) {
          better = true;
        } else {
          m_choice[i] = was;
        }
      }
    }
    if (!better) break;
  }
  TryPairs(known, shortlist, forecast, rating, best);
  m_chosen.assign(tanks.size(), TurnOrders{});
  for (std::size_t i = 0; i < tanks.size(); ++i) {
    const std::vector<TurnOrders>& list = shortlist.Get(i);
    if (m_choice[i] < list.size()) m_chosen[i] = list[m_choice[i]];
  }
}
