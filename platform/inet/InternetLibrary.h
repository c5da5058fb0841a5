#pragma once

// Prepares the HTTP library for the whole process. It runs once while the program's statics
// are built, before any thread exists; every Internet session asks again, which costs nothing
// once it has run. Returns false when the library could not be prepared.
bool AfxInternetInitialize();
