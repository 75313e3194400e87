#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ProfileIni.h"
#include "SimpleTimer.h"
#include "StoreFiles.h"

// Keeps the store on disk in step with what the window shows, so that a crash, a kill or
// a power cut loses nothing and the command line reads what the window shows.
//
// A change asks for a save, which comes kQuietMs later (a burst of changes, such as the
// keys of one address, makes one save); the timer runs only while a save is due. A save
// writes only when the profiles differ from what was last read or written. One that
// fails is told through OnProblem and tried again after a growing pause (kRetryFirstMs
// up to kRetryLastMs), at the next change and at closing.
//
// A store that is there but could not be read at start is held: nothing is written over
// it or removed for the rest of the session, unless the user agrees at closing; the
// window goes on working with what it has.
class TStoreKeeper {
 public:
  static constexpr UINT kQuietMs = 500;
  static constexpr UINT kRetryFirstMs = 2000;
  static constexpr UINT kRetryLastMs = 60000;

  struct TEvents {
    // The profiles as the window shows them, the editor's values included.
    std::function<TProfileList()> Listed;
    // What is wrong with the store now, in one line; empty once nothing is.
    std::function<void(const std::string&)> OnProblem;
    // The store could not be read: may its profiles be replaced by the window's? (the
    // question's text); true: write, false: leave it, none: do not close.
    std::function<std::optional<bool>(const std::string&)> AskReplaceHeld;
  };

  TStoreKeeper(std::string storePath, IStoreFiles& files, TEvents events);
  TStoreKeeper(const TStoreKeeper&) = delete;
  TStoreKeeper& operator=(const TStoreKeeper&) = delete;

  // The store's profiles; a store that cannot be read gives none, is held, and its
  // TStoreReadError is rethrown for the caller to show once.
  TProfileList Load();

  // Something the store holds changed in the window.
  void Changed();

  // The window is closing: writes the store now (TStoreError when it cannot: the window
  // stays open). False when the user chose to keep the window open.
  bool SaveForClosing();
  // The session is ending: no question can be asked; a held store stays as it is.
  void SaveWithoutAsking();
  // The program ends another way than by closing (Exit): a save that is due is made now;
  // a failure is not shown (there is no window left to show it in).
  void SaveDueNow();

  bool SaveDue() const { return timer_.Enabled(); }
  bool Held() const { return held_.has_value(); }
  const TSimpleTimer& Timer() const { return timer_; }

 private:
  void SaveInBackground();
  // Writes the store when `bytes` differ from what it holds (always when `always`).
  void Write(const TProfileList& profiles, bool always);
  void Tell(const std::string& problem);

  std::string storePath_;
  IStoreFiles& files_;
  TEvents events_;
  std::optional<std::string> held_;  // why the store could not be read
  std::string stored_;               // the bytes last read or written
  std::string problem_;
  UINT retryMs_ = 0;  // the pause before the failed save is tried again; 0: none failed
  TSimpleTimer timer_;
};
