#include "ui/kit/log_list_view.h"

#include <QPainter>
#include <QScrollBar>

#include "ui/kit/log_list_model.h"

namespace cct {

namespace {

// Space left of each line, as list boxes keep it.
constexpr int kTextMargin = 2;

}  // namespace

LogListView::LogListView(QWidget* parent) : QAbstractScrollArea(parent) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::NoFocus);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(1);
}

void LogListView::SetModel(LogListModel* model) {
  if (model_) disconnect(model_, nullptr, this, nullptr);
  model_ = model;
  if (model_) {
    connect(model_, &QAbstractItemModel::rowsInserted, this, &LogListView::RowsChanged);
    connect(model_, &QAbstractItemModel::modelReset, this, &LogListView::RowsChanged);
    // A full log drops its oldest row just before each new one arrives; the
    // scroll range follows with the insertion, so it does not swing (and
    // lay the scroll area out again) twice for every line.
    connect(model_, &QAbstractItemModel::rowsRemoved, viewport(), qOverload<>(&QWidget::update));
  }
  RowsChanged();
}

int LogListView::RowHeight() const {
  return fontMetrics().height();
}

int LogListView::TopRow() const {
  return verticalScrollBar()->value();
}

int LogListView::VisibleRows() const {
  return qMax(1, viewport()->height() / qMax(1, RowHeight()));
}

int LogListView::RowAt(const QPoint& point) const {
  if (!model_ || point.y() < 0) return -1;
  const int row = TopRow() + point.y() / qMax(1, RowHeight());
  return row < model_->Count() ? row : -1;
}

void LogListView::RowsChanged() {
  // A range and a repaint request: nothing here grows with the log.
  const int count = model_ ? model_->Count() : 0;
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, qMax(0, count - VisibleRows()));
  bar->setPageStep(VisibleRows());
  viewport()->update();
}

void LogListView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  RowsChanged();
}

void LogListView::paintEvent(QPaintEvent*) {
  if (!model_) return;
  QPainter painter(viewport());
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
  const int height = RowHeight();
  const int width = viewport()->width() - kTextMargin;
  const int last = qMin(model_->Count(), TopRow() + VisibleRows() + 1);
  for (int row = TopRow(); row < last; ++row) {
    const QRect line(kTextMargin, (row - TopRow()) * height, width, height);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     model_->Line(row));
  }
}

}  // namespace cct
