#pragma once
// The program's name and version, as the log and the window title show them.
constexpr const wchar_t* kGameName = L"Velmorant";
constexpr float kGameVersion = 0.10f;
// Build number shown in the title of test builds; 0 for a release.
constexpr int kGameBuild = 0;
