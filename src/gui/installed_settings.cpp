#include "gui/installed_settings.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "gui/main_window.h"

namespace vendral {

namespace {

// Loads the controls from another file; the store keeps its own file name,
// also when loading fails.
void LoadValuesFrom(TIniVal& store, const std::string& file_name) {
  struct KeepName {
    TIniVal& store;
    std::string own;
    ~KeepName() { store.SetIniFileName(std::move(own)); }
  } keep{store, store.IniFileName()};
  store.SetIniFileName(file_name);
  store.LoadValues();
}

}  // namespace

FormSettings& AttachIniVal1(TForm1& form, const ProgramPlaces& places) {
  FormSettings& settings = AttachIniVal1(form, places.settings_file);
  if (places.portable) return settings;
  TIniVal& store = settings.store;

  // Every rule keeps a control's value when its key is missing, so the
  // user's file, read second, replaces only what it holds.
  const TForm1::FormEvent load_own = form.OnCreate();
  form.SetOnCreate([&store, shipped = places.shipped_settings, load_own] {
    if (store.Automatic()) LoadValuesFrom(store, shipped);
    load_own();
  });

  const TForm1::FormEvent save = form.OnDestroy();
  form.SetOnDestroy([&store, save] {
    if (store.Automatic()) {
      // A folder that cannot be made shows as the failing save it causes.
      std::error_code ignored;
      std::filesystem::create_directories(std::filesystem::path(store.IniPath()).parent_path(), ignored);
    }
    save();
  });
  return settings;
}

}  // namespace vendral
