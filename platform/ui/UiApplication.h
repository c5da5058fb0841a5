#pragma once

// The program's entry: runs the application object's InitInstance with the window system
// up, and ends the program when it returns FALSE (or, after TRUE, when the event loop ends).
int AfxWinMain(int argc, char* argv[]);

// Brings up the window system if nothing has yet; for code that shows windows outside
// AfxWinMain, such as tests.
void AfxEnsureUiApplication();
