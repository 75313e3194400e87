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
// holds the running program's application window, to which a later start posts its
// request. The request is answered on the running program's own thread, and writes
// nothing.
class TStoreInstance {
 public:
  TStoreInstance() = default;
  ~TStoreInstance();
  TStoreInstance(const TStoreInstance&) = delete;
  TStoreInstance& operator=(const TStoreInstance&) = delete;

  // Claims the store for this process. False when a running program holds it: that one
  // has been asked to bring its window back, and this one should end. When the claim
  // cannot be made at all, this program runs as if alone.
  bool Claim(const std::string& storePath);

  // Tells later starts where to send their request and answers it on the application
  // window: the application is restored from the notification area when minimised there,
  // and its active window comes to the front.
  void Serve(TApplication& application);

 private:
  struct TShared;

  static bool ApplicationHook(void* object, TMessage& message);
  void BringBackRunning() const;

  HANDLE mapping_ = nullptr;
  TShared* shared_ = nullptr;
  TApplication* served_ = nullptr;
};

// The name of a store's claim: the full path folded to upper case and hashed, since a
// kernel object's name may hold no "\" beyond its namespace and is limited in length.
std::string StoreInstanceName(const std::string& storePath);

// The message by which a later start asks the running program to come back.
UINT StoreInstanceBringBackMessage();
