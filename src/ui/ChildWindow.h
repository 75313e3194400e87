#pragma once

#include <windows.h>

#include <string>

// A control created where it belongs: each window moved again costs the system a round
// trip. Throws when the system refuses to create it.
HWND CreateChild(DWORD exStyle, const char* className, const char* text, DWORD style, HWND parent,
                 int id, RECT place = {});

// The window's text as it stands.
std::string WindowText(HWND window);
