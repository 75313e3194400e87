#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ActiveProfiles.h"
#include "AdapterState.h"
#include "Icon.h"
#include "ListEntry.h"
#include "StartWithWindows.h"
#include "Win32StartupValue.h"

class IAdapterSource;
class TForm;
struct TApplyReport;
class TImageList;
struct TListEntry;
class TProfileListView;
class TSessionEndSaver;
class TTrayIcon;
class TTrayMenu;

// The program in the notification area, on behalf of the main window: its icon is there
// from start to end, minimising hides the program there, and the icon's menu applies a
// profile of the list, brings the window back (Configure), turns starting with Windows on
// or off (the current user's Run value naming this executable) or ends the program (Exit,
// which saves as closing the window does). A session end saves too, without ever
// holding the session up. The icon's tooltip names the profiles in force on their
// adapters, and the menu checks their items; both are found anew each time the menu is
// about to open and whenever the window asks (RefreshActive). While an apply is pending
// the tooltip's second line says so and the icon shows its busy picture (ShowApplying).
// Arriving at a profile's network, it may offer the switch in a balloon that a click
// takes up (Offer), and the menu marks the profiles whose network is here (SetRecognised).
class TTraySide {
 public:
  // What the window does for it: apply a profile now, and save the list into the store
  // (the editor committed first).
  struct TActions {
    std::function<void(const TListEntry&)> Apply;
    std::function<void()> Save;
  };

  // Puts the icon in the notification area. The icon and the menus are components of
  // `form` (so that they are loaded when its building ends); the menus show `images`.
  // Its first tooltip is made from `start`, the adapters as the window read them.
  TTraySide(TForm& form, TImageList* images, TProfileListView& list, IAdapterSource& adapters,
            const TAdapterReading& start, TActions actions);
  // The icon leaves the notification area and lets go of the window it has hooked.
  ~TTraySide();
  TTraySide(const TTraySide&) = delete;
  TTraySide& operator=(const TTraySide&) = delete;

  TTrayIcon& Icon() const { return *icon_; }
  TTrayMenu& Menu() const { return *menu_; }

  // Brings the application back when it is minimised (hidden in the notification area);
  // otherwise does nothing: an open window is not brought to the front.
  void Configure();
  // Closes the window as its close button does (the editor committed, the store
  // written); an error is shown and the program goes on.
  void Exit();
  // Turns starting with Windows on or off; a registry that refuses is shown, and nothing
  // else changes.
  void ToggleStartWithWindows();

  // Reads the adapters and sets the tooltip from the list's profiles in force; returns
  // their indexes in the list. The second form uses a reading the caller has already made.
  std::vector<std::size_t> RefreshActive();
  std::vector<std::size_t> RefreshActive(const TAdapterReading& reading);
  // The same from the list's profiles (NamedProfiles) and those of them in force, found
  // already by the caller.
  void ShowActive(const std::vector<TNamedProfile>& profiles,
                  const std::vector<std::size_t>& active);
  // The icon's tooltip's first line; the last report, if any, stays the second.
  void SetActiveLine(const std::string& text);

  // An apply's report: a balloon titled with the profile's caption (its picture says
  // verified, in part or failed), and the tooltip's second line until the next report.
  // An offer shown before is withdrawn: a click on this balloon applies nothing.
  void ShowReport(const TApplyReport& report);
  // An apply is pending, `text` saying which ("Applying Office on Ethernet…"), or none is
  // (empty): while one is, the tooltip's second line is `text` in place of the last report
  // and the icon shows its busy picture.
  void ShowApplying(const std::string& text);

  // Offers the profiles of the list named `captions` (none: nothing is offered), whose
  // network the adapter `adapterName` is on now, in a balloon. A click on it applies the one
  // profile as its menu item does, or opens the menu to choose among several. The next
  // balloon withdraws the offer, and so does the click.
  void Offer(const std::string& adapterName, const std::vector<std::string>& captions);
  // The profiles whose network is here: the menu marks them from its next opening until
  // told otherwise (empty: none).
  void SetRecognised(std::vector<std::string> captions);

  // The entry is about to be removed from the list.
  void Forget(const TListEntry& entry);
  // Every message of the window, for the session end (see TSessionEndSaver).
  void Notice(UINT message, WPARAM wParam);

 private:
  TForm& form_;
  TProfileListView& list_;
  IAdapterSource& adapters_;
  void RefreshHint();
  void TakeUpOffer();

  std::function<void(const TListEntry&)> apply_;
  TWin32StartupValue startupValue_;
  TStartWithWindows startWithWindows_;
  std::unique_ptr<TTrayMenu> menu_;
  TTrayIcon* icon_ = nullptr;  // a component of the form; deleted here, before the menus
  std::unique_ptr<TSessionEndSaver> sessionEnd_;
  std::string activeLine_;  // the tooltip's first line
  std::string lastReport_;  // its second line
  std::string applying_;    // the pending apply, said in the report's place; empty: none
  TIcon idlePicture_;
  TIcon busyPicture_;
  std::vector<std::string> offered_;  // the captions the shown balloon offers, if it does
};
