#include "app/preference_store.h"

#include <QSettings>
#include <QString>
#include <QVariant>

#include <array>
#include <climits>
#include <filesystem>
#include <system_error>

namespace cct {

namespace {

bool ValidIndex(int index) {
  return index >= 0 && index < kPreferenceCount;
}

QString Key(int index) {
  const std::string_view name = PreferenceName(index);
  return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// Opened for one read or write; the caller syncs and checks the status.
class Store {
 public:
  Store()
      : settings_(QSettings::NativeFormat, QSettings::UserScope, kSettingsOrganisation,
                  kSettingsApplication) {}
  QSettings* operator->() { return &settings_; }
  bool Write(int index, const QVariant& value) {
    if (!settings_.isWritable()) return false;
    settings_.setValue(Key(index), value);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
  }

 private:
  QSettings settings_;
};

std::string CurrentDirectory() {
  std::error_code ec;
  auto cwd = std::filesystem::current_path(ec);
  return ec ? std::string() : cwd.string();
}

}  // namespace

PreferenceStore::PreferenceStore() {
  GetNumber(kPrefShutdownStatus, previousShutdownStatus_, 0);
  SetNumber(kPrefShutdownStatus, 0);
}

PreferenceStore::~PreferenceStore() {
  SetNumber(kPrefShutdownStatus, 1);
}

bool PreferenceStore::GetNumber(int index, int& value, int defaultValue) {
  value = defaultValue;
  if (!ValidIndex(index)) return false;
  Store store;
  const QVariant stored = store->value(Key(index));
  store->sync();
  if (!stored.isValid() || store->status() != QSettings::NoError) return false;

  bool ok = false;
  int number = 0;
  if (stored.typeId() == QMetaType::QString) {
    // Text holds a decimal number; anything else in it is not a number.
    number = stored.toString().trimmed().toInt(&ok, 10);
  } else if (stored.typeId() == QMetaType::Int) {
    number = stored.toInt(&ok);
  }
  if (!ok) return false;
  value = number;
  return true;
}

bool PreferenceStore::SetNumber(int index, int value) {
  if (!ValidIndex(index)) return false;
  return Store().Write(index, value);
}

bool PreferenceStore::SetText(int index, const std::string& text) {
  if (!ValidIndex(index)) return false;
  return Store().Write(index, QString::fromStdString(text));
}

bool PreferenceStore::GetPath(int index, std::string& path) {
  if (ValidIndex(index)) {
    Store store;
    const QVariant stored = store->value(Key(index));
    store->sync();
    if (stored.isValid() && stored.typeId() == QMetaType::QString &&
        store->status() == QSettings::NoError) {
      const std::string candidate = stored.toString().toStdString();
      std::error_code ec;
      if (!candidate.empty() && candidate.size() < PATH_MAX &&
          std::filesystem::exists(candidate, ec)) {
        path = candidate;
        return true;
      }
    }
  }
  path = CurrentDirectory();
  return false;
}

}  // namespace cct
