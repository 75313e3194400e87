#pragma once

#include <functional>

// Root of everything that can be the Sender of an event.
class TObject {
 public:
  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
};

// An event is assigned when the function is non-empty; it is called with the raising
// object as Sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;
