#include "app/CopyApp.h"

// The one application object; the framework's entry point runs it.
replika::CCopyApp theApp;
