#include "gui/display/instance_doorbell.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include "core/tools/text.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

// sun_path holds 108 bytes with its terminating zero.
constexpr qsizetype kMaxSocketPath = 107;
constexpr char kRing[] = "show\n";

}  // namespace

QString DoorbellName(const std::string& programDir) {
  const std::string beside = AddBackslash(programDir) + "Tessarin.sock";
  if (static_cast<qsizetype>(beside.size()) <= kMaxSocketPath)
    return ToQString(beside);
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty())
    runtime = QDir::tempPath();
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray::fromStdString(programDir), QCryptographicHash::Sha256)
          .toHex()
          .left(16);
  return runtime + QStringLiteral("/tessarin-") + QString::fromLatin1(hash) +
         QStringLiteral(".sock");
}

InstanceDoorbell::InstanceDoorbell(const std::string& programDir, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
  const QString name = DoorbellName(programDir);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(name);
  server_->listen(name);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* caller = server_->nextPendingConnection()) {
      connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
      connect(caller, &QLocalSocket::readyRead, this, [this, caller] {
        caller->readAll();
        caller->disconnectFromServer();
        emit Rung();
      });
    }
  });
}

bool InstanceDoorbell::Listening() const {
  return server_->isListening();
}

bool RingRunningInstance(const std::string& programDir, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(DoorbellName(programDir));
  if (!socket.waitForConnected(timeoutMs))
    return false;
  socket.write(kRing);
  const bool sent = socket.waitForBytesWritten(timeoutMs);
  socket.disconnectFromServer();
  return sent;
}

}  // namespace tessarin
