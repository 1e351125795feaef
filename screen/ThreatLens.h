#pragma once

class CComputerPlayer;
class CMap;

// The computer's picture of the battlefield as it planned the turn shown:
// per cell, translucent red for the enemy fire it feared and a yellow core
// for the cells it rated for attacking. A Normal computer rates the threat
// and attack layers; a Hard one the shells it expected and the firing cells
// on its quarry's flanks. Drawn in map space, over the fog.
void DrawThreatLens(const CComputerPlayer& computer, const CMap& map);
// Its legend: a swatch of each colour with its name, the first at (left, baseline).
void DrawThreatLensLegend(float left, float baseline);
