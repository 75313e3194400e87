#pragma once

#include <windows.h>

#include "Events.h"
#include "Handle.h"

// A picture for a window or the notification area: owns one HICON or nothing (empty).
// Every change of the picture raises OnChange (Sender: the icon) while change
// notification is on (it starts on).
class TIcon : public TObject {
 public:
  TIcon() = default;

  HICON Handle() const { return handle_.Get(); }
  bool Empty() const { return !handle_; }

  // Takes ownership of `icon` (null empties the icon).
  void SetHandle(HICON icon);
  // Gives up ownership of the picture without a change notification.
  HICON ReleaseHandle() { return handle_.Release(); }
  // Copies the other icon's picture (an empty one empties this).
  void Assign(const TIcon& source);
  void Clear() { SetHandle(nullptr); }
  // Loads an icon resource at the given size (0, 0: the resource's first size);
  // throws std::runtime_error when there is no such resource.
  void LoadFromResource(HINSTANCE instance, const char* name, int width, int height);

  TNotifyEvent OnChange;
  bool NotifyEnabled() const { return notifyEnabled_; }
  void SetNotifyEnabled(bool enabled) { notifyEnabled_ = enabled; }

 private:
  void Changed();

  IconHandle handle_;
  bool notifyEnabled_ = true;
};
