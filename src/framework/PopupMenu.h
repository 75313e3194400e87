#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "Handle.h"

class TImageList;

// One item of a popup menu. A caption of exactly "-" is a separator line. An "&" in
// the caption marks the next letter as the accelerator when the menu is drawn; the
// caption itself is never changed.
class TMenuItem : public TObject {
 public:
  TMenuItem() = default;
  TMenuItem(std::string caption, int imageIndex, TNotifyEvent onClick)
      : Caption(std::move(caption)), ImageIndex(imageIndex), OnClick(std::move(onClick)) {}

  std::string Caption;
  int ImageIndex = -1;  // -1: no image
  TNotifyEvent OnClick;
  bool Default = false;  // drawn bold; the item a double-click on a tray icon runs
  bool Visible = true;
  bool Enabled = true;
  bool Checked = false;

  bool IsLine() const { return Caption == "-"; }
  // Runs OnClick (Sender: the item) when the item is enabled and OnClick assigned.
  virtual void Click();
};

// The menu as built for showing: the command identifier of each shown item is 1 + its
// index among the items. An item with an image has HBMMENU_CALLBACK as its bitmap and the
// image's index as its item data: the image is drawn while the menu is open
// (TMenuImagePainter), at the image list's size.
struct TBuiltMenu {
  MenuHandle Menu;
};

// A popup menu: owns its items; shows them at a screen point.
class TPopupMenu : public TComponent {
 public:
  // The item data of an item without an image in a menu with images: it takes the image's
  // place, blank, so that its text is measured where it is drawn (Wine measures an item
  // without one narrower than it draws it, and cuts its last letters off).
  static constexpr ULONG_PTR kBlankImage = ~ULONG_PTR{0};

  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // Items, top to bottom.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem& Items(int index) const { return *items_.at(static_cast<size_t>(index)); }
  TMenuItem& Add(std::string caption, int imageIndex = -1, TNotifyEvent onClick = {});
  void Delete(int index);
  void Clear();

  // Images of the items; not owned. Destroying the list sets this to null.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  bool AutoPopup = true;  // read by the controls that open the menu by themselves
  // Separator lines that would stand first, last or right after another are hidden.
  bool AutoLineReduction = true;
  // true: items without an "&" get an accelerator letter when the menu is built (the
  // first letter of the caption not yet taken); false: captions are shown exactly.
  bool AutoHotkeys = false;
  // The component that opened the menu (set by whoever opens it).
  TComponent* PopupComponent = nullptr;
  // Raised first by Popup, before the menu is built: the place to rebuild the items.
  TNotifyEvent OnPopup;

  // Raises OnPopup, builds the menu, shows it at the screen point, owned by the
  // application window (which draws its images), and returns when it has closed; then runs the chosen item's Click. Nothing runs when the menu was
  // destroyed or its items were added or removed while it was open.
  void Popup(int X, int Y);

  // Builds the menu from the items as they stand (what Popup shows).
  TBuiltMenu BuildMenu() const;
  // The item has an image of the menu's list to show.
  bool HasImage(const TMenuItem& item) const;

  // Test seam: replaces TrackPopupMenu. Gets the built menu, the point and the owner
  // window, returns the chosen command identifier (0: nothing chosen).
  using TTrackFunction = std::function<UINT(HMENU menu, int x, int y, HWND owner)>;
  TTrackFunction TrackFunction;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoPopup();
  virtual UINT Track(HMENU menu, int x, int y, HWND owner);

 private:
  // Indices of the items the built menu shows (Visible, after line reduction).
  std::vector<int> ShownItems() const;

  std::vector<std::unique_ptr<TMenuItem>> items_;
  TImageList* images_ = nullptr;
  // Counts additions and removals of items: a command chosen from a menu whose items
  // have changed since it was built names nothing.
  unsigned long long itemChanges_ = 0;
  // Cleared by the destructor: the menu may be destroyed while it is open.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
