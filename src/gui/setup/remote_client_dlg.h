#pragma once
// "Add remote": the host and port of a BOINC client on another computer, and its password,
// typed or read from a file. The rules live in core/setup/remote_choice.h.

#include <QDialog>

#include "core/setup/remote_choice.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tessarin {

class MessageBoxes;

class TRemoteClientDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TRemoteClientDlg(MessageBoxes& messages, QWidget* parent = nullptr);

  RemoteChoice Choice() const;

  // Closes with OK only when the choice can be added; otherwise says what is wrong.
  void btnOkClick();
  void btnPasswordFileClick();

  QLineEdit* edHost = nullptr;
  QSpinBox* edPort = nullptr;
  QLineEdit* edPassword = nullptr;
  QCheckBox* cbPasswordFile = nullptr;
  QLineEdit* edPasswordFile = nullptr;
  QPushButton* btnPasswordFile = nullptr;
  QPushButton* btnOk = nullptr;
  QPushButton* btnCancel = nullptr;

 private:
  MessageBoxes& messages_;
};

}  // namespace tessarin
