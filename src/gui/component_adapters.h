// The main window as the control-value store sees it: Form1 and its
// components through the store's component model, and the store IniVal1
// hooked into the window's creation and destruction.
//
// Each control offers exactly what its value rule needs: a one-line field
// its "Text"; the number field its text as a TwwDBCustomEdit and no "Text"
// or "Value"; the sign list "Text", "Style" 0 (typing allowed) and
// "ItemIndex"; the action "Checked"; the folder field "Path" only; the radio
// group "ItemIndex" without "Style"; the tab control and the bitmap buttons
// "Style" without "ItemIndex". Labels, pages, other buttons and the dialogs
// offer nothing.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/component_owner.h"
#include "core/settings/ini_val.h"

namespace vendral {

class TForm1;

// The component for one of the window's objects, named after it.
std::unique_ptr<Component> AdaptComponent(QObject& object);

// Form1 with its components in creation order. The adapters use the
// window's objects, so this must not outlive them.
class FormComponents : public ComponentOwner {
 public:
  explicit FormComponents(const TForm1& form);

 private:
  std::vector<std::unique_ptr<Component>> adapters_;
};

// The window seen as components, and its store, the last of them.
struct FormSettings {
  explicit FormSettings(const TForm1& window) : form(window), store(form) {}

  FormComponents form;
  TIniVal store;
};

// For the window's attach hook: creates IniVal1 with the given file name
// (empty: the program's folder), attaches it and lets the window's creation
// and destruction events load and save through it. Handlers the window had
// before are kept and called by the store. The result lives as long as the
// window's event handlers.
FormSettings& AttachIniVal1(TForm1& form, const std::string& ini_file_name = {});

}  // namespace vendral
