#pragma once
// Restricts DLL search to the system directory and preloads the system DLLs
// that a planted copy beside the exe could otherwise replace.

// The preload list, in load order; each entry is appended to the system directory.
extern const wchar_t* const kPreloadLibraries[9];

void HardenLibrarySearch();
