#include "ui/kit/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace cct {

namespace {

int depth = 0;

bool HaveCursor() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}

}  // namespace

void BusyCursor::Begin() {
  if (depth++ == 0 && HaveCursor()) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void BusyCursor::End() {
  if (depth == 0) return;
  if (--depth == 0 && HaveCursor()) QGuiApplication::restoreOverrideCursor();
}

int BusyCursor::Depth() {
  return depth;
}

BusyCursor::Suspend::Suspend() : active_(depth > 0 && HaveCursor()) {
  if (active_) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

BusyCursor::Suspend::~Suspend() {
  if (active_ && HaveCursor()) QGuiApplication::restoreOverrideCursor();
}

}  // namespace cct
