#include "settings/SettingsFiles.h"

char g_szSettingsFolder[MAX_PATH];
char g_szDefaultFileName[MAX_PATH];
char g_szFactoryFileName[MAX_PATH];
