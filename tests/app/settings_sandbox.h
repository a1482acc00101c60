#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include "app/preference_store.h"

namespace cct::test {

// A fresh configuration folder for one test: XDG_CONFIG_HOME for programs the
// test starts, and the user-scope settings path of this process. Both point
// back where they were when the sandbox goes.
class SettingsSandbox {
 public:
  SettingsSandbox() : oldXdg_(qgetenv("XDG_CONFIG_HOME")) {
    qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
  }
  ~SettingsSandbox() {
    qputenv("XDG_CONFIG_HOME", oldXdg_);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromLocal8Bit(oldXdg_));
  }
  SettingsSandbox(const SettingsSandbox&) = delete;
  SettingsSandbox& operator=(const SettingsSandbox&) = delete;

  bool IsValid() const { return dir_.isValid(); }
  QString Path() const { return dir_.path(); }
  QString ConfFile() const {
    return dir_.path() + "/" + kSettingsOrganisation + "/" + kSettingsApplication + ".conf";
  }
  // A value as the file holds it now; invalid when missing.
  QVariant Stored(const char* name) const {
    QSettings settings(ConfFile(), QSettings::IniFormat);
    return settings.value(QString::fromLatin1(name));
  }
  void Store(const char* name, const QVariant& value) const {
    QSettings settings(ConfFile(), QSettings::IniFormat);
    settings.setValue(QString::fromLatin1(name), value);
  }

 private:
  QByteArray oldXdg_;
  QTemporaryDir dir_;
};

}  // namespace cct::test
