// The component model: TObject, TPersistent (Assign/AssignTo) and TComponent
// (name, owner, owned components freed with their owner, component state).
#pragma once

#include <string>
#include <vector>

#include "orqplatform/Types.h"

namespace orq {

class TObject {
 public:
  virtual ~TObject() = default;
  // The class name as the platform reports it, e.g. in "Cannot assign a X to a Y".
  virtual std::string ClassName() const { return "TObject"; }
};

class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  // Copies Source into this object; the default asks Source to AssignTo this
  // object, and raises EConvertError when neither side knows the other.
  virtual void Assign(TPersistent* Source);
  // Copies this object into Dest; the default raises EConvertError.
  virtual void AssignTo(TPersistent* Dest);

 protected:
  [[noreturn]] void AssignError(const TPersistent* Source) const;
};

enum TComponentStateItem : int { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : int { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner = nullptr);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string ClassName() const override { return "TComponent"; }

  const std::string& Name() const { return FName; }
  virtual void SetName(const std::string& value) { FName = value; }
  TComponent* Owner() const { return FOwner; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  // Owned components, 0-based as on the platform.
  TComponent* Components(int Index) const { return FComponents.at(static_cast<size_t>(Index)); }
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool value);
  void SetLoading(bool value);
  // Called after loading from a stored form: clears csLoading.
  virtual void Loaded();

  int Tag() const { return FTag; }
  void SetTag(int value) { FTag = value; }

 protected:
  // Told when a component is inserted into or removed from this one.
  virtual void Notification(TComponent* AComponent, TOperation Operation) {}
  TComponentState FComponentState;

 private:
  std::string FName;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  int FTag = 0;
};

}  // namespace orq
