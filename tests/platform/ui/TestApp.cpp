#include "platform/core/WinApp.h"

// The application object that the window layer's tests run under.
CWinApp g_testApp;
