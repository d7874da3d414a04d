#pragma once
// The folder chooser and the file-open dialog of the setup, behind an interface that tests
// can answer.

#include <QString>

class QWidget;

namespace tessarin {

class FileChoosers {
 public:
  virtual ~FileChoosers() = default;
  // A folder of the file system, starting at `start`; empty when cancelled.
  virtual QString ChooseFolder(QWidget* parent, const QString& start, bool allowNewFolder) = 0;
  // An existing sound file (.wav, .oga, .ogg, .flac), starting with `fileName` (a file, or a
  // folder to start in); empty when cancelled.
  virtual QString ChooseSoundFile(QWidget* parent, const QString& fileName) = 0;
};

// The real dialogs (QFileDialog).
class QtFileChoosers final : public FileChoosers {
 public:
  QString ChooseFolder(QWidget* parent, const QString& start, bool allowNewFolder) override;
  QString ChooseSoundFile(QWidget* parent, const QString& fileName) override;
};

}  // namespace tessarin
