#include "gui/component_adapters.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <cstdint>
#include <functional>
#include <utility>

#include "gui/browse_edit.h"
#include "gui/main_window.h"
#include "gui/radio_group.h"
#include "gui/spin_edit.h"

namespace vendral {

namespace {

// Combo box styles as the store knows them.
constexpr std::int64_t kDropDown = 0;      // typing allowed
constexpr std::int64_t kDropDownList = 2;  // choice from the items only

// The store keeps bytes; the window's texts go out in the local 8-bit encoding.
std::string Bytes(const QString& text) { return text.toLocal8Bit().toStdString(); }
QString FromBytes(const std::string& bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A style that the control always has: reading gives it, assigning changes nothing.
Property FixedStyle(std::int64_t style) {
  return OrdinalProperty("Style", PropertyKind::kEnumeration, [style] { return style; }, [](std::int64_t) {});
}

Property ItemIndex(std::function<int()> get, std::function<void(int)> set) {
  return OrdinalProperty(
      "ItemIndex", PropertyKind::kInteger, [get] { return std::int64_t{get()}; },
      [set](std::int64_t index) { set(static_cast<int>(index)); });
}

// The number field: a TwwDBCustomEdit, stored through its text only.
class CustomEditComponent : public Component {
 public:
  CustomEditComponent(std::string name, TwwDBSpinEdit& edit) : Component(std::move(name)), edit_(edit) {}

  ClassFamily Family() const override { return ClassFamily::kCustomEdit; }
  std::string Text() const override { return Bytes(edit_.Text()); }
  void SetText(const std::string& text) override { edit_.SetText(FromBytes(text)); }

 private:
  TwwDBSpinEdit& edit_;
};

void OfferText(Component& c, QLineEdit& edit) {
  c.AddProperty(TextProperty(
      "Text", [&edit] { return Bytes(edit.text()); },
      [&edit](const std::string& text) { edit.setText(FromBytes(text)); }));
}

void OfferPath(Component& c, TLMDBrowseEdit& edit) {
  c.AddProperty(TextProperty(
      "Path", [&edit] { return Bytes(edit.Path()); },
      [&edit](const std::string& path) { edit.SetPath(FromBytes(path)); }));
}

void OfferComboBox(Component& c, QComboBox& combo) {
  c.AddProperty(TextProperty(
      "Text", [&combo] { return Bytes(combo.currentText()); },
      [&combo](const std::string& bytes) {
        // A text that is one of the items selects it; any other is typed text.
        const QString text = FromBytes(bytes);
        const int item = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0) {
          combo.setCurrentIndex(item);
        } else {
          combo.setEditText(text);
        }
      }));
  c.AddProperty(OrdinalProperty(
      "Style", PropertyKind::kEnumeration,
      [&combo] { return combo.isEditable() ? kDropDown : kDropDownList; },
      [&combo](std::int64_t style) { combo.setEditable(style != kDropDownList); }));
  c.AddProperty(ItemIndex([&combo] { return combo.currentIndex(); },
                          [&combo](int index) { combo.setCurrentIndex(index); }));
}

void OfferChecked(Component& c, QAction& action) {
  c.AddProperty(OrdinalProperty(
      "Checked", PropertyKind::kBoolean, [&action] { return std::int64_t{action.isChecked() ? 1 : 0}; },
      [&action](std::int64_t checked) { action.setChecked(checked != 0); }));
}

// The window builds its bitmap buttons, named BitBtn..., as push buttons;
// only they have a style.
bool IsBitmapButton(const QObject& object) {
  return qobject_cast<const QPushButton*>(&object) != nullptr &&
         object.objectName().startsWith(QLatin1String("BitBtn"));
}

}  // namespace

std::unique_ptr<Component> AdaptComponent(QObject& object) {
  std::string name = object.objectName().toStdString();
  // The two special fields are line edits too, so they are asked first.
  if (auto* spin = qobject_cast<TwwDBSpinEdit*>(&object)) {
    return std::make_unique<CustomEditComponent>(std::move(name), *spin);
  }
  auto component = std::make_unique<Component>(std::move(name));
  if (auto* browse = qobject_cast<TLMDBrowseEdit*>(&object)) {
    OfferPath(*component, *browse);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&object)) {
    OfferText(*component, *edit);
  } else if (auto* combo = qobject_cast<QComboBox*>(&object)) {
    OfferComboBox(*component, *combo);
  } else if (auto* action = qobject_cast<QAction*>(&object)) {
    OfferChecked(*component, *action);
  } else if (auto* radio = qobject_cast<TRadioGroup*>(&object)) {
    component->AddProperty(ItemIndex([radio] { return radio->ItemIndex(); },
                                     [radio](int index) { radio->SetItemIndex(index); }));
  } else if (qobject_cast<QTabWidget*>(&object) || IsBitmapButton(object)) {
    component->AddProperty(FixedStyle(0));
  }
  return component;
}

FormComponents::FormComponents(const TForm1& form) : ComponentOwner(form.objectName().toStdString()) {
  for (QObject* object : form.Components()) {
    adapters_.push_back(AdaptComponent(*object));
    AddComponent(*adapters_.back());
  }
}

FormSettings& AttachIniVal1(TForm1& form, const std::string& ini_file_name) {
  auto settings = std::make_shared<FormSettings>(form);
  TIniVal& store = settings->store;
  store.SetName("IniVal1");
  store.SetIniFileName(ini_file_name);
  settings->form.AddComponent(store);

  const auto as_handler = [](TForm1::FormEvent event) {
    return event ? EventHandler([event](Component*) { event(); }) : EventHandler();
  };
  settings->form.SetOnCreate(as_handler(form.OnCreate()));
  settings->form.SetOnDestroy(as_handler(form.OnDestroy()));
  store.AttachToOwner();

  // The window's events own the settings; they live as long as the window.
  form.SetOnCreate([settings] { settings->form.FireCreate(); });
  form.SetOnDestroy([settings] { settings->form.FireDestroy(); });
  return *settings;
}

}  // namespace vendral
