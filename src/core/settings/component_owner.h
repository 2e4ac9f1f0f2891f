// A window, or another owner of components, as the control-value store sees
// it: a component with a list of owned components in creation order and the
// creation and destruction events. The owner does not own the component
// objects in C++ terms; they must outlive every use of the list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/settings/component.h"
#include "core/settings/event_handler.h"

namespace vendral {

class ComponentOwner : public Component {
 public:
  explicit ComponentOwner(std::string name, bool is_form = true)
      : Component(std::move(name)), is_form_(is_form) {}

  // True for a window (form).
  bool IsForm() const { return is_form_; }

  // Adds a component at the end of the creation order.
  void AddComponent(Component& component) { components_.push_back(&component); }
  const std::vector<Component*>& Components() const { return components_; }

  const EventHandler& OnCreate() const { return on_create_; }
  void SetOnCreate(EventHandler handler) { on_create_ = std::move(handler); }
  const EventHandler& OnDestroy() const { return on_destroy_; }
  void SetOnDestroy(EventHandler handler) { on_destroy_ = std::move(handler); }

  // Fire the events with the owner as sender; the window calls each once,
  // after all its controls exist and while they still exist. Failures
  // propagate to the caller, which reports them.
  void FireCreate() { Fire(on_create_); }
  void FireDestroy() { Fire(on_destroy_); }

 private:
  // By value: a handler may replace itself while it runs.
  void Fire(EventHandler handler) {
    if (handler) handler(this);
  }

  bool is_form_;
  std::vector<Component*> components_;
  EventHandler on_create_;
  EventHandler on_destroy_;
};

}  // namespace vendral
