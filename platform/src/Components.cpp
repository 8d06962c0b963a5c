#include "orqplatform/Components.h"

#include <algorithm>

#include "orqplatform/Exceptions.h"

namespace orq {

void TPersistent::Assign(TPersistent* Source) {
  if (Source != nullptr)
    Source->AssignTo(this);
  else
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(const TPersistent* Source) const {
  const std::string source_name = Source ? Source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + source_name + " to a " + ClassName());
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState.insert(csDestroying);
  // Free owned components last-in first-out, each removing itself from us.
  while (!FComponents.empty()) delete FComponents.back();
  if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const std::string& AName) const {
  if (AName.empty()) return nullptr;
  for (TComponent* c : FComponents)
    if (c->Name() == AName) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (AComponent == nullptr || AComponent->FOwner == this) return;
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
  if (it == FComponents.end()) return;
  Notification(AComponent, opRemove);
  FComponents.erase(it);
  AComponent->FOwner = nullptr;
}

void TComponent::SetDesigning(bool value) {
  if (value)
    FComponentState.insert(csDesigning);
  else
    FComponentState.erase(csDesigning);
}

void TComponent::SetLoading(bool value) {
  if (value)
    FComponentState.insert(csLoading);
  else
    FComponentState.erase(csLoading);
}

void TComponent::Loaded() { FComponentState.erase(csLoading); }

}  // namespace orq
