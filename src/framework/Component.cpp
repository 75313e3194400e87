#include "Component.h"

#include <algorithm>

namespace {

void Erase(std::vector<TComponent*>& list, TComponent* component) {
  list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

bool Contains(const std::vector<TComponent*>& list, TComponent* component) {
  return std::find(list.begin(), list.end(), component) != list.end();
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  NotifyRemoval();
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  // Components of one owner hear of each other's removal through the owner already.
  if (owner_ && other->owner_ == owner_) return;
  if (!Contains(freeNotifies_, other)) freeNotifies_.push_back(other);
  if (!Contains(other->freeNotifies_, this)) other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  Erase(freeNotifies_, other);
  Erase(other->freeNotifies_, this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) delete components_.back();  // each leaves the list itself
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::Remove) Erase(freeNotifies_, AComponent);
  // Forwarded to the owned components, the last created first; a handler may destroy
  // components, so the index is kept inside the shrinking list.
  size_t index = components_.size();
  while (index > 0) {
    --index;
    TComponent* component = components_[index];
    if (component != AComponent) component->Notification(AComponent, Operation);
    if (index > components_.size()) index = components_.size();
  }
}

void TComponent::Loaded() {
  loading_ = false;
}

void TComponent::BeginLoading() {
  loading_ = true;
  for (TComponent* component : components_) component->loading_ = true;
}

void TComponent::EndLoading() {
  const std::vector<TComponent*> built = components_;
  for (TComponent* component : built) {
    if (Contains(components_, component) && component->loading_) component->Loaded();
  }
  if (loading_) Loaded();
}

void TComponent::InsertComponent(TComponent* component) {
  component->owner_ = this;
  component->loading_ = loading_;
  components_.push_back(component);
  Notification(component, TOperation::Insert);
}

void TComponent::RemoveComponent(TComponent* component) {
  Notification(component, TOperation::Remove);
  Erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::NotifyRemoval() {
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(other->freeNotifies_, this);
    other->Notification(this, TOperation::Remove);
  }
}
