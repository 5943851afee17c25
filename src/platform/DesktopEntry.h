#pragma once
// The program's desktop entry id: its desktop file is "mfs380a.desktop".
// Docks and task managers match launcher signals to the program by it.

inline constexpr const char* kDesktopEntryId = "mfs380a";
inline constexpr const char* kLauncherAppUri = "application://mfs380a.desktop";
