#pragma once

struct KeyTable;

// The help panel over the battlefield: "CONTROLS", a line for every listed
// row of the key table, then the rules a player needs.
void DrawHelpPanel(const KeyTable& keys);
