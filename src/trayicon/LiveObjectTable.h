#pragma once

#include <unordered_map>

// The objects a shared hidden window serves (timers, tray icons), by the identifier its
// messages carry. A message for an identifier no longer in the table (still queued when
// its object went away) finds nothing. While a message is being handed to its object the
// table counts as dispatching: the object may go away inside it, but the window that
// runs the handler must not.
template <typename TId, typename TObject>
class TLiveObjectTable {
 public:
  // Adds `object` under the next identifier that is neither 0 nor in use, and returns it.
  // Identifiers count up, so one that is let go is not given out again until they wrap.
  TId Add(TObject& object) {
    while (NextId_ == 0 || Objects_.contains(NextId_)) ++NextId_;
    const TId id = NextId_++;
    Objects_[id] = &object;
    return id;
  }

  void Remove(TId id) { Objects_.erase(id); }

  bool Dispatching() const { return DispatchDepth_ > 0; }

  // Calls handle(object) for the object of `id`, if there is one.
  template <typename THandle>
  void Dispatch(TId id, THandle&& handle) {
    const auto found = Objects_.find(id);
    if (found == Objects_.end()) return;
    struct TDepthGuard {
      int& Depth;
      explicit TDepthGuard(int& depth) : Depth(depth) { ++Depth; }
      ~TDepthGuard() { --Depth; }
    } guard(DispatchDepth_);
    handle(*found->second);
  }

 private:
  std::unordered_map<TId, TObject*> Objects_;
  TId NextId_ = 1;
  int DispatchDepth_ = 0;
};
