#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "NetworkChangeNotices.h"

// Stands for the system's network notices: registrations that work or not as the test says,
// and notices given from threads of its own, as the system gives them; Stop waits for them
// as the system's withdrawal waits for a callback that is running. What it saw is kept
// in a state the test holds, so that it can be read after the watch that owns the double
// is gone.
class TThreadedNetworkNotices final : public INetworkChangeNotices {
 public:
  struct TState {
    std::atomic<int> NoticesGiven{0};
    std::atomic<bool> Registered{false};
  };

  TThreadedNetworkNotices(bool registrationsWork, std::shared_ptr<TState> state)
      : work_(registrationsWork), state_(std::move(state)) {}
  ~TThreadedNetworkNotices() override { Stop(); }

  bool Start(TNotice notice) override {
    notice_ = std::move(notice);
    stopping_ = false;
    state_->Registered = true;
    return work_;
  }

  void Stop() override {
    stopping_ = true;
    for (std::thread& thread : threads_) thread.join();
    threads_.clear();
    state_->Registered = false;
  }

  // `count` notices from another thread, `pauseMs` apart; returns at once.
  void GiveBurst(int count, DWORD pauseMs = 0) {
    threads_.emplace_back([this, count, pauseMs] {
      for (int i = 0; i < count && !stopping_; ++i) {
        Give();
        if (pauseMs) Sleep(pauseMs);
      }
    });
  }

  // Notices from another thread without a pause, until Stop.
  void KeepGiving() {
    threads_.emplace_back([this] {
      while (!stopping_) Give();
    });
  }

 private:
  void Give() {
    notice_();
    ++state_->NoticesGiven;
  }

  bool work_;
  std::shared_ptr<TState> state_;
  TNotice notice_;
  std::atomic<bool> stopping_{false};
  std::vector<std::thread> threads_;
};
