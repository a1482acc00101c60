#include "ui/kit/one_line_validator.h"

namespace cct {

namespace {

bool IsLineBreak(QChar c) {
  return c == u'\r' || c == u'\n';
}

}  // namespace

QValidator::State OneLineValidator::validate(QString& input, int& pos) const {
  if (input.contains(u'\r') || input.contains(u'\n')) input = OneLine(input, pos);
  return Acceptable;
}

QString OneLineValidator::OneLine(const QString& text, int& pos) {
  QString line;
  line.reserve(text.size());
  int newPos = 0;
  for (qsizetype i = 0; i < text.size();) {
    if (i == pos) newPos = static_cast<int>(line.size());
    if (!IsLineBreak(text[i])) {
      line += text[i++];
      continue;
    }
    // A run of line breaks, CR LF or blank lines, is one break.
    const qsizetype start = i;
    while (i < text.size() && IsLineBreak(text[i])) ++i;
    if (!line.isEmpty() && i < text.size()) line += u' ';
    if (pos > start && pos <= i) newPos = static_cast<int>(line.size());
  }
  if (pos >= text.size()) newPos = static_cast<int>(line.size());
  pos = newPos;
  return line;
}

}  // namespace cct
