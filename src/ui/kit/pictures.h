#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;
class QRect;

namespace cct {

// The program's pictures, drawn at any size: the offline (302) and online
// (303) status pictures, the disk (304) and folder (305) of the file buttons
// and the application icon (500). A wide rectangle
// gets a bar, a squarish one a lamp. False for an unknown resource.
bool PaintPicture(QPainter& painter, const QRect& rect, int resourceId);

// The picture at that size; a null pixmap for an unknown resource.
QPixmap PicturePixmap(int resourceId, const QSize& size);

// The application icon (500) at the usual icon sizes.
QIcon AppIcon();

}  // namespace cct
