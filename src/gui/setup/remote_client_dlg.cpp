#include "gui/setup/remote_client_dlg.h"
#include "gui/setup/ok_cancel_row.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/remote/remote_address.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"

namespace tessarin {

TRemoteClientDlg::TRemoteClientDlg(MessageBoxes& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
  setObjectName("RemoteClientDlg");
  setWindowTitle("Add remote client");
  edHost = new QLineEdit;
  edHost->setObjectName("edHost");
  edPort = new QSpinBox;
  edPort->setObjectName("edPort");
  edPort->setRange(1, 65535);
  edPort->setValue(kDefaultGuiRpcPort);
  edPassword = new QLineEdit;
  edPassword->setObjectName("edPassword");
  edPassword->setEchoMode(QLineEdit::Password);
  cbPasswordFile = new QCheckBox("read from file");
  cbPasswordFile->setObjectName("cbPasswordFile");
  edPasswordFile = new QLineEdit;
  edPasswordFile->setObjectName("edPasswordFile");
  edPasswordFile->setToolTip(
      "A file readable by you alone whose first line is the password "
      "(a copy of the client's gui_rpc_auth.cfg)");
  btnPasswordFile = new QPushButton("...");
  btnPasswordFile->setObjectName("btnPasswordFile");
  btnPasswordFile->setAutoDefault(false);

  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(edPasswordFile, 1);
  fileRow->addWidget(btnPasswordFile);
  auto* form = new QFormLayout;
  form->addRow("Host", edHost);
  form->addRow("Port", edPort);
  form->addRow("Password", edPassword);
  form->addRow(cbPasswordFile, fileRow);

  const OkCancelRow buttons = MakeOkCancelRow();
  btnOk = buttons.ok;
  btnCancel = buttons.cancel;
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons.layout);

  auto showSource = [this] {
    const bool fromFile = cbPasswordFile->isChecked();
    edPassword->setEnabled(!fromFile);
    edPasswordFile->setEnabled(fromFile);
    btnPasswordFile->setEnabled(fromFile);
  };
  showSource();
  connect(cbPasswordFile, &QCheckBox::toggled, this, showSource);
  connect(btnOk, &QPushButton::clicked, this, &TRemoteClientDlg::btnOkClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnPasswordFile, &QPushButton::clicked, this, &TRemoteClientDlg::btnPasswordFileClick);
}

RemoteChoice TRemoteClientDlg::Choice() const {
  RemoteChoice choice;
  choice.host = ToBytes(edHost->text().trimmed());
  choice.port = edPort->value();
  choice.passwordFromFile = cbPasswordFile->isChecked();
  choice.password = ToBytes(edPassword->text());
  choice.passwordFile = ToBytes(edPasswordFile->text());
  return choice;
}

void TRemoteClientDlg::btnOkClick() {
  const std::string problem = RemoteChoiceProblem(Choice());
  if (!problem.empty()) {
    messages_.Error(this, windowTitle(), ToQString(problem));
    return;
  }
  accept();
}

void TRemoteClientDlg::btnPasswordFileClick() {
  const QString chosen =
      QFileDialog::getOpenFileName(this, "Password file", edPasswordFile->text());
  if (!chosen.isEmpty())
    edPasswordFile->setText(chosen);
}

}  // namespace tessarin
