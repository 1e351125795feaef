#pragma once

#include "assetkit/CCanvas.h"

// Paints each picture of the game into a 32 x 32 canvas. Pictures that the
// game turns (tanks, effects, command marks) are painted facing +x, the
// tank's heading at angle 0: the barrel points right.

// The colours of one team's tanks.
struct TeamColours {
  Rgba hull;    // the hull's main colour
  Rgba turret;  // the turret, a lighter shade
  Rgba barrel;  // the gun barrel
};

TeamColours GreenTeam();
TeamColours BlueTeam();

// `degrees` turns the tank clockwise on screen (0: barrel right, -90: up).
void PaintTank(CCanvas& canvas, const TeamColours& team, float degrees = 0.0f);
void PaintGroundTile(CCanvas& canvas);
void PaintWallTile(CCanvas& canvas);
void PaintShotPuff(CCanvas& canvas);
void PaintCentreMarker(CCanvas& canvas);
void PaintFlash(CCanvas& canvas);
void PaintRepairMarker(CCanvas& canvas);
void PaintMoveDestination(CCanvas& canvas);
void PaintMoveForwardMark(CCanvas& canvas);
// The arrow of a right (clockwise) turn; the game mirrors it for a left turn.
void PaintTurnArrow(CCanvas& canvas);
void PaintWaitMark(CCanvas& canvas);
void PaintMoveBackMark(CCanvas& canvas);
void PaintFireMark(CCanvas& canvas);
