#pragma once

class TDM;
class Tmain;

// Plugs every built window into the room board's menus, tool bar and keys; an item
// without a window stays disabled.
void registerWindowOpeners(Tmain& board, TDM& dm);
