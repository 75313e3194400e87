#pragma once

#include <windows.h>

// One window message as hooks see it; a hook that handles it sets Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};
