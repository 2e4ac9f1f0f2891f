// An event handler: a callable bound to its object. The store must tell
// whether a window's handler already is its own, which std::function cannot
// answer, so a handler also carries the identity of its object and method.
#pragma once

#include <functional>
#include <utility>

namespace vendral {

class Component;

class EventHandler {
 public:
  using Callable = std::function<void(Component* sender)>;

  EventHandler() = default;

  // A handler without identity; it is never the same as another handler.
  explicit EventHandler(Callable call) : call_(std::move(call)) {}

  // Binds a member function of type void (T::*)(Component*) to an object.
  template <auto Method, class T>
  static EventHandler Bind(T& object) {
    EventHandler handler([&object](Component* sender) { (object.*Method)(sender); });
    handler.object_ = &object;
    handler.method_ = &kMethodTag<Method>;
    return handler;
  }

  explicit operator bool() const { return static_cast<bool>(call_); }
  void operator()(Component* sender) const { call_(sender); }

  // Same method of the same object; handlers without identity never match.
  bool IsSameAs(const EventHandler& other) const {
    return method_ != nullptr && method_ == other.method_ && object_ == other.object_;
  }

 private:
  // One distinct address per bound method.
  template <auto Method>
  static constexpr char kMethodTag = 0;

  Callable call_;
  const void* object_ = nullptr;
  const void* method_ = nullptr;
};

}  // namespace vendral
