#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <string>

class QObject;
class QValidator;

namespace cct {

inline constexpr int kUserIdMaxLength = 16;
inline constexpr int kCameraIdLength = 10;
inline constexpr int kDeviceVersionParts = 4;

// Identity texts are printable ASCII without space and comma: the camera's
// answers lose their spaces and end at a comma, so such a text would not read
// back as written, and CR or LF would end the command line.
QValidator* NewIdentityValidator(QObject* parent);
// A device version part also holds no ".", which joins the parts.
QValidator* NewVersionPartValidator(QObject* parent);

// A firmware or FPGA version number as shown: 105 gives "1.05".
QString VersionNumberText(int32_t value);

using DeviceVersionParts = std::array<QString, kDeviceVersionParts>;
// The four parts of a device version "a.b.c.d"; false, with the parts left
// alone, unless the text has exactly three dots.
bool SplitDeviceVersion(const QString& text, DeviceVersionParts& parts);
// The parts as they are, joined with ".".
QString JoinDeviceVersion(const DeviceVersionParts& parts);

// Camera texts are bytes, one character each, both ways.
QString FromCameraText(const std::string& text);
std::string ToCameraText(const QString& text);

}  // namespace cct
