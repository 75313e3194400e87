#include "ProfileEditor.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>

#include "AddressEdit.h"
#include "AddressTemplate.h"
#include "ChildWindow.h"
#include "EditorNetwork.h"
#include "EditorPlace.h"

// The address field knows no profiles, and the profiles know no field: the editor, which
// hands one's text to the other, is where their blank text must agree.
static_assert(address_template::kEmptyText == kBlankAddressText);

namespace {

// Control identifiers in the panel.
enum : int {
  idLAN = 7,
  idDHCP,
  idLabel,
  idAddressFirst = 20,
  idNetworkFirst = 30,
};

constexpr char kDefaultLan[] = "Local Area Connection";

// Designed at 96 DPI: every control at x 8, each label kLabelAbove above its control.
constexpr int kEditorX = 8;
constexpr int kLabelAbove = 16;
constexpr int kLabelWidth = 200;
constexpr int kLabelHeight = 13;
constexpr int kEditHeight = 21;
constexpr int kLanY = 24;
constexpr int kLanWidth = 225;
constexpr int kLanDropHeight = 120;
constexpr int kDhcpY = 64;
constexpr int kDhcpWidth = 92;
constexpr int kDhcpHeight = 17;
constexpr char kLanLabel[] = "LAN Name:";

// The address fields as the editor shows them: the store's field (key, name and member),
// labelled with its name and a colon, and its top edge and width.
struct TEditorField {
  const TAddressField& Field;
  int Y;
  int Width;
};
constexpr TEditorField kEditorFields[] = {
    {kAddressFields[0], 104, 222},
    {kAddressFields[1], 144, 223},
    {kAddressFields[2], 184, 224},
    {kAddressFields[3], 224, 225},
    {kAddressFields[4], 264, 225},
    {kAddressFields[5], 304, 226},
};
static_assert(std::size(kEditorFields) == kAddressFields.size());
static_assert([] {
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    if (&kEditorFields[i].Field != &kAddressFields[i]) return false;
  }
  return true;
}());

std::size_t FieldIndex(std::string TNetInfo::*member) {
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    if (kAddressFields[i].Member == member) return i;
  }
  throw std::out_of_range("Not an address member of the profile");
}

}  // namespace

TProfileEditor::TProfileEditor(HWND panel, UINT dpi, bool elevated) : panel_(panel), dpi_(dpi) {
  lanLabel_ = CreateLabel(kLanLabel, kLanY - kLabelAbove);
  edLAN_ =
      CreateChild(0, WC_COMBOBOXA, "",
                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                  panel, idLAN, Place(kLanY, kLanWidth, kEditHeight + kLanDropHeight));
  SendMessageA(edLAN_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kDefaultLan));
  SetWindowTextA(edLAN_, kDefaultLan);
  edDHCP_ = CreateChild(0, WC_BUTTONA, "DHCP", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                        panel, idDHCP, Place(kDhcpY, kDhcpWidth, kDhcpHeight));
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    const TEditorField& field = kEditorFields[i];
    fieldLabels_[i] = CreateLabel((std::string(field.Field.Name) + ":").c_str(), field.Y - kLabelAbove);
    const RECT place = Place(field.Y, field.Width, kEditHeight);
    fields_[i] =
        std::make_unique<TAddressEdit>(panel, idAddressFirst + static_cast<int>(i), place.left,
                                       place.top, place.right - place.left, dpi_);
  }
  network_ = std::make_unique<TEditorNetwork>(panel, dpi_, idNetworkFirst, elevated);
}

TProfileEditor::~TProfileEditor() = default;

RECT TProfileEditor::Place(int y, int width, int height) const {
  return EditorPlace(dpi_, kEditorX, y, width, height);
}

HWND TProfileEditor::CreateLabel(const char* text, int y) {
  return CreateChild(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT, panel_, idLabel,
                     Place(y, kLabelWidth, kLabelHeight));
}

void TProfileEditor::PlaceControls() {
  MoveTo(lanLabel_, Place(kLanY - kLabelAbove, kLabelWidth, kLabelHeight));
  MoveTo(edLAN_, Place(kLanY, kLanWidth, kEditHeight + kLanDropHeight));
  MoveTo(edDHCP_, Place(kDhcpY, kDhcpWidth, kDhcpHeight));
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    const TEditorField& field = kEditorFields[i];
    MoveTo(fieldLabels_[i], Place(field.Y - kLabelAbove, kLabelWidth, kLabelHeight));
    MoveTo(fields_[i]->Handle(), Place(field.Y, field.Width, kEditHeight));
  }
}

void TProfileEditor::SetFont(HFONT font, bool redraw) {
  const WPARAM handle = reinterpret_cast<WPARAM>(font);
  for (HWND window : {lanLabel_, edLAN_, edDHCP_}) SendMessageA(window, WM_SETFONT, handle, redraw);
  for (HWND label : fieldLabels_) SendMessageA(label, WM_SETFONT, handle, redraw);
  network_->SetFont(font, redraw);
}

void TProfileEditor::SetDpi(UINT dpi) {
  dpi_ = dpi;
  for (auto& field : fields_) field->SetDpi(dpi_);
  PlaceControls();
  network_->SetDpi(dpi_);
}

int TProfileEditor::Height() const {
  return network_->Bottom();
}

void TProfileEditor::Load(const TNetInfo& profile) {
  network_->Load(profile);
  LoadValues(profile);
}

void TProfileEditor::LoadAdapterValues(const TNetInfo& values) {
  LoadValues(values);
}

void TProfileEditor::LoadValues(const TNetInfo& profile) {
  adapterId_ = profile.AdapterId;
  adapterMac_ = profile.AdapterMac;
  SetWindowTextA(edLAN_, profile.LAN.c_str());
  if (GetWindowTextLengthA(edLAN_) == 0) {
    SendMessageA(edLAN_, CB_SETCURSEL, 0, 0);  // the first list item: the default name
  }
  const WPARAM check = profile.DHCP ? BST_CHECKED : BST_UNCHECKED;
  if (SendMessageA(edDHCP_, BM_GETCHECK, 0, 0) != static_cast<LRESULT>(check)) {
    SendMessageA(edDHCP_, BM_SETCHECK, check, 0);
  }
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    fields_[i]->SetText(profile.*kAddressFields[i].Member);
  }
  UpdateEnabledState();
}

void TProfileEditor::Commit(TNetInfo& profile) const {
  profile.LAN = WindowText(edLAN_);
  profile.AdapterId = adapterId_;
  profile.AdapterMac = adapterMac_;
  profile.DHCP = SendMessageA(edDHCP_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  for (std::size_t i = 0; i < kAddressFields.size(); ++i) {
    profile.*kAddressFields[i].Member = fields_[i]->Text();
  }
  network_->Commit(profile);
}

void TProfileEditor::UpdateEnabledState() {
  const bool enabled = SendMessageA(edDHCP_, BM_GETCHECK, 0, 0) != BST_CHECKED;
  for (const auto& field : fields_) field->SetEnabled(enabled);
}

bool TProfileEditor::HandleCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  const WORD code = HIWORD(wParam);
  const bool isField =
      id >= idAddressFirst && id < idAddressFirst + static_cast<int>(kAddressFields.size());
  const bool edited = (isField && code == EN_CHANGE) || (id == idDHCP && code == BN_CLICKED) ||
                      (id == idLAN && (code == CBN_EDITCHANGE || code == CBN_SELCHANGE));
  bool handled = isField && code == EN_CHANGE;
  const TEditorNetwork::TCommandResult network = network_->HandleCommand(id, code);
  if (network.Handled) handled = true;
  if (network.Edited && OnEdited) OnEdited();
  if (id == idLAN) handled = HandleLanCommand(code);
  if (id == idDHCP && code == BN_CLICKED) {
    UpdateEnabledState();
    handled = true;
  }
  if (edited && OnEdited) OnEdited();
  return handled;
}

bool TProfileEditor::HandleLanCommand(WORD code) {
  switch (code) {
    case CBN_DROPDOWN:
      if (OnLanDropDown) OnLanDropDown();
      return true;
    case CBN_EDITCHANGE:
      adapterId_.clear();
      adapterMac_.clear();
      if (OnLanChanged) OnLanChanged(Lan());
      return true;
    case CBN_SELCHANGE: {
      adapterId_.clear();
      adapterMac_.clear();
      // The box's text becomes the item's only after this notice.
      const LRESULT item = SendMessageA(edLAN_, CB_GETCURSEL, 0, 0);
      if (item == CB_ERR || !OnLanPicked) return true;
      const LRESULT length = SendMessageA(edLAN_, CB_GETLBTEXTLEN, item, 0);
      std::vector<char> buffer(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
      SendMessageA(edLAN_, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(buffer.data()));
      OnLanPicked(buffer.data());
      return true;
    }
    default:
      return false;
  }
}

std::string TProfileEditor::Lan() const {
  return WindowText(edLAN_);
}

TNetInfo TProfileEditor::Adapter() const {
  TNetInfo adapter;
  adapter.LAN = Lan();
  adapter.AdapterId = adapterId_;
  adapter.AdapterMac = adapterMac_;
  return adapter;
}

void TProfileEditor::SetAdapter(const TNetInfo& adapter) {
  adapterId_ = adapter.AdapterId;
  adapterMac_ = adapter.AdapterMac;
  if (Lan() != adapter.LAN) SetWindowTextA(edLAN_, adapter.LAN.c_str());
}

void TProfileEditor::SetAdapterNames(const std::vector<std::string>& names) {
  const std::string text = Lan();
  DWORD start = 0, end = 0;
  SendMessageA(edLAN_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  // Hundreds of names (virtual and VPN adapters) go in as one batch: storage reserved
  // once, no repainting per item.
  size_t bytes = sizeof kDefaultLan;
  for (const std::string& name : names) bytes += name.size() + 1;
  SendMessageA(edLAN_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(edLAN_, CB_RESETCONTENT, 0, 0);
  SendMessageA(edLAN_, CB_INITSTORAGE, names.size() + 1, static_cast<LPARAM>(bytes));
  SendMessageA(edLAN_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kDefaultLan));
  for (const std::string& name : names) {
    if (name != kDefaultLan) SendMessageA(edLAN_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  // Emptying the list may empty the box's text too.
  if (Lan() != text) SetWindowTextA(edLAN_, text.c_str());
  SendMessageA(edLAN_, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
  SendMessageA(edLAN_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(edLAN_, nullptr, TRUE);
}

TAddressEdit& TProfileEditor::AddressEdit(std::string TNetInfo::*member) const {
  return *fields_[FieldIndex(member)];
}

HWND TProfileEditor::AddressField(std::string TNetInfo::*member) const {
  return AddressEdit(member).Handle();
}
