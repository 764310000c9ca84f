// Counts live objects and server locks, for DllCanUnloadNow.
#pragma once

void SimModuleLock();
void SimModuleUnlock();
