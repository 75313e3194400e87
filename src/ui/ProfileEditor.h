#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "NetInfo.h"
#include "ProfileFields.h"

class TAddressEdit;
class TEditorNetwork;

// The editor of one profile, in the main window's right panel: the adapter's name
// (edLAN, a drop-down box whose first item is the default name), the DHCP box and the
// six address fields, each below its label. The address fields are disabled while DHCP
// is checked.
//
// The adapter box lists the default name first, then whatever names its owner gives it
// (SetAdapterNames), which the owner does when the list is about to drop down.
//
// It holds values, not a profile: Load shows a record's values and Commit writes the
// values as they stand into a record. Which record that is, is its owner's business.
// Besides what it shows, it keeps the identity of the adapter it names (AdapterId and
// AdapterMac of the record): loaded and committed with the rest, set by its owner when
// an adapter is picked or read (SetAdapter), and forgotten as soon as the user changes
// the name in the adapter box, which may then name another adapter.
//
// Below the address fields it shows the profile's network and what to do there
// (TEditorNetwork), loaded and committed with the rest.
//
// Its places are designed at 96 DPI and depend on the DPI only, not on the panel's size.
// The font of its labels, edLAN, edDHCP and the network's controls is the owner's
// (SetFont); the address fields make their own at the DPI.
class TProfileEditor {
 public:
  // Creates the controls in `panel` at `dpi`. Creation order is tab order: edLAN, edDHCP,
  // the address fields in the order of kAddressFields, then the network's controls.
  // `elevated`: the program runs with administrator rights.
  TProfileEditor(HWND panel, UINT dpi, bool elevated);
  ~TProfileEditor();
  TProfileEditor(const TProfileEditor&) = delete;
  TProfileEditor& operator=(const TProfileEditor&) = delete;

  // Shows the record's values; an empty adapter name shows the default name.
  void Load(const TNetInfo& profile);
  // Shows values read from an adapter as Load does, but for the network part: what to do
  // on the profile's network is the user's choice, and the network it remembers is not
  // forgotten by a reading that does not tell it.
  void LoadAdapterValues(const TNetInfo& values);
  // Writes the values shown into the record.
  void Commit(TNetInfo& profile) const;
  // Enables the address fields unless DHCP is checked.
  void UpdateEnabledState();

  // The owner's font for the labels, edLAN and edDHCP; it must outlive its use by them.
  void SetFont(HFONT font, bool redraw);
  // A new DPI: the address fields make their font for it, and every control moves.
  void SetDpi(UINT dpi);
  // The height of panel the editor needs at the DPI to show every control.
  int Height() const;

  // The adapter box: its list is about to drop down (the place to refill it), and the
  // name in it changed by the user: typed (OnLanChanged), or an item picked (OnLanPicked,
  // with the picked item's text). The identity is forgotten before either is called.
  std::function<void()> OnLanDropDown;
  std::function<void(const std::string&)> OnLanChanged;
  std::function<void(const std::string&)> OnLanPicked;
  // Any value shown changed: typed, picked, pasted, checked, set by Load, or the network's
  // choice picked or the network forgotten.
  std::function<void()> OnEdited;

  // The adapter name as it stands in the box.
  std::string Lan() const;
  // The adapter the editor names: a record with only LAN and the identity filled in.
  TNetInfo Adapter() const;
  // The editor names `adapter` by its name and identity (a name that differs from the
  // box's replaces it).
  void SetAdapter(const TNetInfo& adapter);
  // Refills the adapter box's list: the default name, then each of `names` but the
  // default one, in their order. The text in the box and its selection stay as they were.
  void SetAdapterNames(const std::vector<std::string>& names);

  // A WM_COMMAND from a child of the panel (the panel passes them on to its parent).
  // True when it came from the editor's controls and was handled.
  bool HandleCommand(WPARAM wParam);

  HWND EdLAN() const { return edLAN_; }
  HWND EdDHCP() const { return edDHCP_; }
  // The field that edits `member`, one of the members of kAddressFields.
  TAddressEdit& AddressEdit(std::string TNetInfo::*member) const;
  HWND AddressField(std::string TNetInfo::*member) const;
  TEditorNetwork& Network() const { return *network_; }

 private:
  RECT Place(int y, int width, int height) const;  // in the panel, at the DPI
  HWND CreateLabel(const char* text, int y);
  void PlaceControls();
  void LoadValues(const TNetInfo& profile);  // all but the network
  bool HandleLanCommand(WORD code);

  HWND panel_;
  UINT dpi_;
  std::string adapterId_;
  std::string adapterMac_;
  HWND edLAN_ = nullptr;  // child windows: destroyed with the panel
  HWND edDHCP_ = nullptr;
  HWND lanLabel_ = nullptr;
  std::array<HWND, kAddressFields.size()> fieldLabels_{};
  std::array<std::unique_ptr<TAddressEdit>, kAddressFields.size()> fields_;
  std::unique_ptr<TEditorNetwork> network_;  // made last: its controls come last in tab order
};
