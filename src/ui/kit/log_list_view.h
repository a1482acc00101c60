#pragma once

#include <QAbstractScrollArea>
#include <QPointer>

#include "ui/kit/log_list_model.h"

namespace cct {

// Shows a log's lines, the newest at the top, one text line each. It paints
// only the rows in sight and never lays out the others, so a line added to a
// full log of tens of thousands costs the same as to an empty one. Rows
// cannot be selected. The top row stays where the scroll bar puts it: at the
// top the newest line is always in sight.
class LogListView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit LogListView(QWidget* parent = nullptr);

  void SetModel(LogListModel* model);
  LogListModel* Model() const { return model_; }

  int RowHeight() const;
  // The first row in sight, and how many fit into the view.
  int TopRow() const;
  int VisibleRows() const;
  // The row at a point of the viewport; -1 below the last row.
  int RowAt(const QPoint& point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RowsChanged();

  QPointer<LogListModel> model_;
};

}  // namespace cct
