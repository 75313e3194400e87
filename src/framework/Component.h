#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Events.h"

enum class TOperation { Insert, Remove };

// A component with an owner. An owner holds the components it owns and destroys them
// with itself, the last created first. When a component is destroyed, its owner and
// every other component of that owner get Notification(it, TOperation::Remove), and
// so does every component that asked for it with FreeNotification. A component
// created while its owner is being built (a form between its construction and
// EndBuilding) is Loading() until the owner calls its Loaded().
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The owned components in order of creation.
  const std::vector<TComponent*>& Components() const { return components_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }

  bool Loading() const { return loading_; }
  bool Destroying() const { return destroying_; }

  // `other` is told (Notification with Remove) when this component is destroyed, even
  // when it has another owner. Registration is mutual and ends with either component.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

  // Destroys every owned component, the last created first.
  void DestroyComponents();

 protected:
  // Called on the owner when a component is inserted or removed, and forwarded by the
  // base implementation to every owned component. Overrides call the base version.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  // The end of building: the owner has set up all its components. The base clears
  // the loading state.
  virtual void Loaded();

  // Marks this component and the components it owns as being built (used by forms).
  void BeginLoading();
  // Calls Loaded() on every owned component still loading, in order of creation, then
  // on this component.
  void EndLoading();

 private:
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void NotifyRemoval();

  TComponent* owner_ = nullptr;
  std::string name_;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  bool loading_ = false;
  bool destroying_ = false;
};
