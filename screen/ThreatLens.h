#pragma once

class CComputerPlayer;
class CMap;

// The computer's picture of the battlefield as it planned the turn shown:
// per cell, translucent red for the enemy fire it feared and a yellow core
// for the cells it rated for attacking. A Normal computer shows its threat
// and attack layers; a Hard one what it expected Green to do: the cells the
// shells of Green's likely plans cross (the plan it feared most the
// strongest) and the cells Green's tanks pass in that plan. Drawn in map
// space, over the fog; it allocates nothing.
void DrawThreatLens(const CComputerPlayer& computer, const CMap& map);
// Its legend for a Hard computer or a Normal one: a swatch of each colour
// with its name, the first at (left, baseline).
void DrawThreatLensLegend(bool hard, float left, float baseline);
