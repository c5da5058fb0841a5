#pragma once

// Prepares the HTTP library for the whole process. The application calls it at start-up,
// before any thread exists; every Internet session calls it again as a fallback, which is
// harmless once it has run. Returns false when the library could not be prepared.
bool AfxInternetInitialize();
