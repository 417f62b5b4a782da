#include "SettingsText.h"
// TODO: the settings text writer
