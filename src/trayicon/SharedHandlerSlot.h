#pragma once

#include <algorithm>
#include <memory>
#include <vector>

// The process-wide slot of a shared, counted helper (one hidden window for all timers, one
// for all tray icons): the first user creates the helper, the last one destroys it, and
// whatever is left goes at program end with the slot itself.
//
// The last user may go away inside a message that the helper's own window is handling (a
// timer freed by its own tick, a tray icon freed from its menu). The helper cannot be
// destroyed under its running window procedure, so it is retired instead: the slot is
// empty at once (a new user makes a new helper), and the retired one is destroyed at the
// next attach or detach that finds it idle, or at program end.
//
// THelper provides UserCount_ (unsigned) and bool Dispatching() const.
template <typename THelper>
class TSharedHandlerSlot {
 public:
  THelper* Get() const { return Current_.get(); }

  THelper& Attach() {
    DropIdleRetired();
    if (!Current_) Current_ = std::make_unique<THelper>();
    ++Current_->UserCount_;
    return *Current_;
  }

  void Detach() {
    if (!Current_) return;
    if (Current_->UserCount_ > 0) --Current_->UserCount_;
    if (Current_->UserCount_ == 0) {
      if (Current_->Dispatching())
        Retired_.push_back(std::move(Current_));
      else
        Current_.reset();
    }
    DropIdleRetired();
  }

 private:
  void DropIdleRetired() {
    std::erase_if(Retired_, [](const std::unique_ptr<THelper>& h) { return !h->Dispatching(); });
  }

  std::unique_ptr<THelper> Current_;
  std::vector<std::unique_ptr<THelper>> Retired_;
};
