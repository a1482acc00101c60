#pragma once

#include <QValidator>

namespace cct {

// Keeps a single-line edit box to one line whatever comes into it: a paste
// or a drop of several lines becomes one line, its line breaks spaces, so
// the box shows exactly the one line that goes out. Line breaks at either
// end of the text (a copied line's own end) are dropped. Nothing pasted is
// lost from sight.
class OneLineValidator : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;

  // The text as one line, and where `pos` of the text lands in it.
  static QString OneLine(const QString& text, int& pos);
};

}  // namespace cct
