// The control-value store: a non-visual component that a window owns. It
// hooks the window's creation and destruction events, restores every
// control's value from an INI file when the window is created and writes
// the values back when it is destroyed. Section: the window's name; key:
// each control's name. What a control holds is decided by the value rules
// in ini_val.cpp, through the component model of component.h.
#pragma once

#include <string>
#include <string_view>

#include "core/settings/component.h"
#include "core/settings/component_owner.h"

namespace vendral {

class TIniVal : public Component {
 public:
  // Automatic true, IniFileName empty. The store does not add itself to the
  // owner's components; the window does so in its creation order. Once
  // attached, the owner's events call the store, so it must live as long as
  // the owner fires them.
  explicit TIniVal(ComponentOwner& owner);

  bool Automatic() const { return automatic_; }
  void SetAutomatic(bool automatic) { automatic_ = automatic; }
  const std::string& IniFileName() const { return file_name_; }
  void SetIniFileName(std::string file_name) { file_name_ = std::move(file_name); }

  // Once the owner's controls have their designed values and before its
  // creation event: fixes the file name (the program's folder and the
  // store's name when empty) and hooks OnCreate and OnDestroy.
  void AttachToOwner();

  // The hooked handlers; the sender is ignored. The handlers they replaced
  // are called with the store as sender.
  void OwnerCreate(Component* sender);
  void OwnerDestroy(Component* sender);

  void LoadValues();
  // Raises Failure("Unable to write to ...") and stops at the failed key.
  void SaveValues();

  // The effective file name: blanks trimmed; the file name part upper-cased
  // and given ".INI" when it has no "."; the folder left as it is.
  std::string IniPath() const;

  // CR becomes "&#13;", then LF "&#10;"; and back.
  static std::string EscapeLineBreaks(std::string_view text);
  static std::string UnescapeLineBreaks(std::string_view text);

 private:
  ComponentOwner& owner_;
  EventHandler saved_create_;
  EventHandler saved_destroy_;
  std::string file_name_;
  bool automatic_ = true;
};

}  // namespace vendral
