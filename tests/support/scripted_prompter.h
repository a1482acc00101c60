#pragma once

#include <QString>

#include <deque>
#include <functional>
#include <vector>

#include "ui/kit/prompter.h"

namespace cct::test {

// Records every box, file dialog and opened document of the windows and
// answers from a script; no viewer is ever started. With the script used up,
// a Yes/No box is answered No (nothing is destroyed or closed by accident)
// and a file dialog is cancelled.
class ScriptedPrompter : public Prompter {
 public:
  struct Box {
    QWidget* owner;
    QString text;
    QString caption;
    MsgIcon icon;
    MsgButtons buttons;
  };

  MsgResult MessageBox(QWidget* owner, const QString& text, const QString& caption, MsgIcon icon,
                       MsgButtons buttons) override {
    boxes.push_back({owner, text, caption, icon, buttons});
    if (duringBox) duringBox();
    if (buttons == MsgButtons::Ok) return MsgResult::Ok;
    if (answers.empty()) return MsgResult::No;
    const MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
  }

  FileDialogResult FileDialog(QWidget*, const FileDialogRequest& request) override {
    fileDialogs.push_back(request);
    if (fileAnswers.empty()) return FileDialogResult{};
    const FileDialogResult answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }

  bool OpenDocument(const QString& path) override {
    openedDocuments.push_back(path);
    return true;
  }

  std::vector<Box> boxes;
  std::deque<MsgResult> answers;
  std::vector<FileDialogRequest> fileDialogs;
  std::deque<FileDialogResult> fileAnswers;
  std::vector<QString> openedDocuments;
  // Runs while a box is "open", as a modal loop would run timers.
  std::function<void()> duringBox;
};

}  // namespace cct::test
