#pragma once
// A second start of the tray program on the same program directory rings the running one
// through a local socket beside its lock file; the running one brings its window forward,
// and the second start ends. Without the ring a second start would look like nothing
// happened.

#include <QObject>
#include <QString>
#include <string>

class QLocalServer;

namespace tessarin {

// "Tessarin.sock" beside the lock file, or, where that path is too long for a socket, a
// name in the runtime directory that stands for the program directory.
QString DoorbellName(const std::string& programDir);

class InstanceDoorbell : public QObject {
  Q_OBJECT

 public:
  // Listens (only the user may connect). Make it only while holding the program directory's
  // lock: a socket left by a crashed run is then known to be stale and is replaced.
  explicit InstanceDoorbell(const std::string& programDir, QObject* parent = nullptr);

  bool Listening() const;

 signals:
  void Rung();

 private:
  QLocalServer* server_ = nullptr;
};

// Rings the running program; false when none answered within `timeoutMs`.
bool RingRunningInstance(const std::string& programDir, int timeoutMs = 2000);

}  // namespace tessarin
