#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <atomic>

#include "app/preference_store.h"

namespace cct::test {

// A fresh configuration folder for one test: XDG_CONFIG_HOME for this process
// and the programs the test starts, and the user-scope settings path of Qt.
// Both point back where they were when the sandbox goes.
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
  // A value as Qt reads the file now, the way earlier versions of the window
  // did; invalid when missing.
  QVariant Stored(const char* name) const {
    const QString copy = FreshCopy();
    const QVariant value = QSettings(copy, QSettings::IniFormat).value(QString::fromLatin1(name));
    QFile::remove(copy);
    return value;
  }
  // Stores a value through Qt, as earlier versions of the window did.
  void Store(const char* name, const QVariant& value) const {
    const QString copy = FreshCopy();
    {
      QSettings settings(copy, QSettings::IniFormat);
      settings.setValue(QString::fromLatin1(name), value);
    }
    QFile::remove(ConfFile());
    QFile::rename(copy, ConfFile());
  }
  // The file holds exactly `text`, as an operator's editor may leave it.
  bool Write(const QByteArray& text) const {
    QFile file(ConfFile());
    return QDir().mkpath(QFileInfo(file).path()) &&
           file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
  }
  QByteArray Text() const {
    QFile file(ConfFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  // Qt keeps files it read and reads one again only when its size or time
  // changed, which two quick writes of the same length do not show; a copy
  // under a name never used before is always read afresh.
  QString FreshCopy() const {
    static std::atomic<int> copies{0};
    const QString copy = ConfFile() + ".qt" + QString::number(++copies);
    QFile::copy(ConfFile(), copy);
    return copy;
  }

  QByteArray oldXdg_;
  QTemporaryDir dir_;
};

}  // namespace cct::test
