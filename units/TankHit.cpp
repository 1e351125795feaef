#include "units/TankHit.h"

#include "core/Assert.h"

TankHit HitOf(std::int32_t shot, std::int32_t facing, bool onRepairCell) {
  KV_ASSERT(shot >= 0 && shot < 4 && facing >= 0 && facing < 4);
  if (onRepairCell) return {HitSide::RepairCell, kDamageOnRepairCell};
  if (shot == facing) return {HitSide::Rear, kDamageFromBehind};
  if ((shot + 2) % 4 == facing) return {HitSide::Front, kDamageInTheFront};
  return {HitSide::Side, kDamageInTheSide};
}
