#pragma once
// Message boxes and file choosers that tests answer, for the setup dialog.

#include <QString>
#include <deque>
#include <vector>

#include "gui/dialogs/message_boxes.h"
#include "gui/setup/file_choosers.h"

namespace tessarin::test {

struct ShownBox {
  MessageKind kind;
  QString caption;
  QString text;
  MessageButtons buttons;
};

class QueuedMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget*, MessageKind kind, const QString& caption, const QString& text,
                     MessageButtons buttons) override {
    shown.push_back({kind, caption, text, buttons});
    if (answers.empty())
      return MessageAnswer::kOk;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QStringList Texts() const {
    QStringList texts;
    for (const ShownBox& box : shown)
      texts << box.text;
    return texts;
  }
  std::deque<MessageAnswer> answers;
  std::vector<ShownBox> shown;
};

class ScriptedFileChoosers final : public FileChoosers {
 public:
  QString ChooseFolder(QWidget*, const QString& start, bool allowNewFolder) override {
    folderStarts << start;
    newFolderAllowed.push_back(allowNewFolder);
    return Next();
  }
  QString ChooseSoundFile(QWidget*, const QString& fileName) override {
    wavePresets << fileName;
    return Next();
  }
  // Empty answers cancel.
  std::deque<QString> answers;
  QStringList folderStarts;
  std::vector<bool> newFolderAllowed;
  QStringList wavePresets;

 private:
  QString Next() {
    if (answers.empty())
      return {};
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tessarin::test
