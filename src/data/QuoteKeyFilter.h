#pragma once

class QWidget;

// Drops the keys refused by FilterQuoteKey (data/Shared.h) before they reach
// the edit box; every other key passes unchanged.
void InstallQuoteKeyFilter(QWidget* edit);
