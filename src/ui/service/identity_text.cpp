#include "ui/service/identity_text.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStringList>

#include "serial/camera_model.h"

namespace cct {

QValidator* NewIdentityValidator(QObject* parent) {
  // 0x21..0x7E without ','.
  static const QRegularExpression kIdentity(QStringLiteral("[\\x21-\\x2B\\x2D-\\x7E]*"));
  return new QRegularExpressionValidator(kIdentity, parent);
}

QValidator* NewVersionPartValidator(QObject* parent) {
  // The same without '.'.
  static const QRegularExpression kPart(QStringLiteral("[\\x21-\\x2B\\x2D\\x2F-\\x7E]*"));
  return new QRegularExpressionValidator(kPart, parent);
}

QString VersionNumberText(int32_t value) {
  return QString::fromStdString(VersionNumberString(value));
}

bool SplitDeviceVersion(const QString& text, DeviceVersionParts& parts) {
  const QStringList split = text.split(QLatin1Char('.'));
  if (split.size() != kDeviceVersionParts) return false;
  for (int i = 0; i < kDeviceVersionParts; ++i) parts[i] = split[i];
  return true;
}

QString JoinDeviceVersion(const DeviceVersionParts& parts) {
  QString text = parts[0];
  for (int i = 1; i < kDeviceVersionParts; ++i) text += QLatin1Char('.') + parts[i];
  return text;
}

QString FromCameraText(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToCameraText(const QString& text) {
  return text.toLatin1().toStdString();
}

}  // namespace cct
