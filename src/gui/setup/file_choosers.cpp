#include "gui/setup/file_choosers.h"

#include <QFileDialog>

namespace tessarin {

QString QtFileChoosers::ChooseFolder(QWidget* parent, const QString& start, bool allowNewFolder) {
  QFileDialog::Options options = QFileDialog::ShowDirsOnly;
  // A read-only chooser offers no button for making a new folder.
  if (!allowNewFolder)
    options |= QFileDialog::ReadOnly;
  return QFileDialog::getExistingDirectory(parent, QString(), start, options);
}

QString QtFileChoosers::ChooseSoundFile(QWidget* parent, const QString& fileName) {
  // Only an existing file can be picked in an open dialog.
  // Every format the sound library plays; the desktop's own sounds are .oga.
  return QFileDialog::getOpenFileName(parent, QString(), fileName,
                                      "Sound files (*.wav *.oga *.ogg *.flac);;All files (*)");
}

}  // namespace tessarin
