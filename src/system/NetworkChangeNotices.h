#pragma once

#include <functional>

// The system's word that the network may have changed, given on threads of the system's.
class INetworkChangeNotices {
 public:
  // Called on any thread, any number of times at once; it must return quickly.
  using TNotice = std::function<void()>;

  virtual ~INetworkChangeNotices() = default;

  // Registers for the notices: from now until Stop has returned, `notice` may be called.
  // True when the system will tell of every change of an IPv4 interface, address and route;
  // false when it refused a registration or took one without promising to call (then
  // changes must be looked for).
  virtual bool Start(TNotice notice) = 0;
  // Withdraws every registration. Once it returns, `notice` is not called again and no
  // call of it is still running. Never called from within a notice.
  virtual void Stop() = 0;
};
