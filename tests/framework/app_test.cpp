#include "testsupport.h"

CTestApp theApp;
