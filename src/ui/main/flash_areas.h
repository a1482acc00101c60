#pragma once

#include <QString>

#include <cstdint>

class QWidget;

namespace cct {

class Command;
class Prompter;

// The camera keeps complete sets of its settings in four flash areas: area 0
// is the factory area, 1 to 3 are the user areas. Any other number is none.
inline constexpr int kFlashAreaCount = 4;
bool IsFlashArea(int area);

// The areas as the area selection dialog names them ("Factory", "User 1", ...)
// and as the Communication dialog does ("Factory Data", "User 1 Data", ...).
// A text that names no area gives -1; an area outside 0..3 the name "Unkown".
QString AreaSelectName(int area);
int AreaOfSelectName(const QString& name);
QString AreaDataName(int area);
int AreaOfDataName(const QString& name);

// Stores the camera's running settings into a flash area: "SA00" with 0 for
// the factory area, "SA" with the area for a user area. False without
// sending anything for no area.
bool StoreFlashArea(Command& command, int area, uint32_t limitMs);
// Loads a flash area into the camera ("LD"); false without sending for no area.
bool LoadFlashArea(Command& command, int area, uint32_t limitMs);

// "Selected invalid area !"
void ShowInvalidArea(Prompter& prompter, QWidget* owner);

}  // namespace cct
