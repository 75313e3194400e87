#pragma once

#include <windows.h>

#include <string>

#include "Message.h"

class TApplication;

// One window program per profile store. Two programs on one store would each write it
// when they close, and the edits of the one closed first would be lost; so a start for a
// store that a running program already holds hands over to that one (which brings its
// window back) and ends. The store is told by its full path, whatever the case of its
// letters: copies of the program in other folders, with their own stores, run side by
// side.
//
// The claim is a named file mapping that lives while a program for the store runs; it
// holds the running program's application window, to which a later start sends its
// request and waits a few seconds for the answer. The request is answered on the running
// program's own thread, and writes nothing. A running program that does not answer, or a
// claim that exists but cannot be opened (one made by a program with other rights), still
// holds the store: the later start must not run beside it.
enum class TStoreClaim {
  Claimed,     // this program holds the store
  HandedOver,  // the running program was asked to come back and answered
  Unanswered,  // held by a program that did not answer, or a claim that cannot be opened
  LeftAlone,   // held by a running program, which was not asked anything (TWhenHeld)
};

// What a start does when a running program already holds the store: bring that one's
// window back (a start by the user), or leave it as it is (a start in the notification
// area, as at logon: the running one is there already, and nothing must come up).
enum class TWhenHeld { BringBack, LeaveAlone };

class TStoreInstance {
 public:
  TStoreInstance() = default;
  ~TStoreInstance();
  TStoreInstance(const TStoreInstance&) = delete;
  TStoreInstance& operator=(const TStoreInstance&) = delete;

  // How long a later start waits for the running program to answer its request: long
  // enough for a busy program, short enough for a user who waits for a window.
  static constexpr UINT kAnswerTimeoutMs = 5000;

  // Claims the store for this process. Anything but Claimed means this program should end.
  TStoreClaim Claim(const std::string& storePath, TWhenHeld whenHeld = TWhenHeld::BringBack);
  // Claims the store only when no program holds it, asking no running program anything:
  // for a short write of the command line's, which a window on the store would undo.
  bool ClaimIfFree(const std::string& storePath);

  // Tells later starts where to send their request and answers it on the application
  // window: the application is restored from the notification area when minimised there,
  // and its active window comes to the front.
  void Serve(TApplication& application);

  // Tells later starts which window takes their request (Serve gives the application's).
  void Publish(HWND window);

 private:
  struct TShared;

  static bool ApplicationHook(void* object, TMessage& message);
  TStoreClaim BringBackRunning() const;

  HANDLE mapping_ = nullptr;
  TShared* shared_ = nullptr;
  TApplication* served_ = nullptr;
  bool published_ = false;
};

// The name of a store's claim: the full path folded to upper case and hashed, since a
// kernel object's name may hold no "\" beyond its namespace and is limited in length.
std::string StoreInstanceName(const std::string& storePath);

// The message by which a later start asks the running program to come back; it is sent,
// and answered once the running program has handled it.
UINT StoreInstanceBringBackMessage();

// What a start tells the user when the store is held by a program that does not answer.
std::string StoreHeldText(const std::string& storePath);
