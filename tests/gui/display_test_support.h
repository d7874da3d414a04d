#pragma once
// Stand-ins for the main window's services: message boxes that record and answer, a map
// viewer launcher that records, and display entries to show.

#include <QImage>
#include <QString>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "core/data/slot_info.h"
#include "core/watcher/program_launcher.h"
#include "gui/dialogs/message_boxes.h"

namespace tessarin::test {

class ScriptedMessageBoxes final : public MessageBoxes {
 public:
  struct Shown {
    MessageKind kind;
    QString caption;
    QString text;
  };
  MessageAnswer Show(QWidget*, MessageKind kind, const QString& caption, const QString& text,
                     MessageButtons) override {
    shown.push_back({kind, caption, text});
    return answer;
  }
  std::vector<Shown> shown;
  MessageAnswer answer = MessageAnswer::kOk;
};

class RecordingLauncher final : public ProgramLauncher {
 public:
  bool Exists(const std::string& path) const override {
    const std::lock_guard lock(mutex_);
    asked.push_back(path);
    return exists;
  }
  bool StartDetached(const std::string& path, const std::vector<std::string>& args) override {
    const std::lock_guard lock(mutex_);
    started.push_back(path);
    startedArgs.push_back(args);
    return true;
  }
  bool exists = false;
  mutable std::vector<std::string> asked;
  std::vector<std::string> started;
  std::vector<std::vector<std::string>> startedArgs;

 private:
  mutable std::mutex mutex_;
};

inline SlotInfo Entry(const std::string& host, const std::string& project, int slot = 0,
                      std::int32_t timeLeft = -1, double progress = 0) {
  SlotInfo e;
  e.HostName = host;
  e.ProjectName = project;
  e.ResultName = project + "_result_" + std::to_string(slot);
  e.SlotNumber = static_cast<std::uint8_t>(slot);
  e.ReadyCount = 1;
  e.ResultCount = 2;
  e.TimeLeft = timeLeft;
  e.Progress = progress;
  e.StatusText = "50.000 % (active)";
  e.StatusColor = colors::kGreen;
  e.CpuText = ": 1:00:00 (1:00:00 left)";
  return e;
}

// Pixels of `image` inside `area` for which `match` holds.
inline int CountPixels(const QImage& image, const QRect& area,
                       const std::function<bool(QColor)>& match) {
  int count = 0;
  const QRect clipped = area.intersected(image.rect());
  for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
    for (int x = clipped.left(); x <= clipped.right(); ++x) {
      if (match(image.pixelColor(x, y)))
        ++count;
    }
  }
  return count;
}

inline bool IsWhite(QColor c) {
  return c.red() > 240 && c.green() > 240 && c.blue() > 240;
}
inline bool IsBlack(QColor c) {
  return c.red() < 16 && c.green() < 16 && c.blue() < 16;
}
inline bool IsDark(QColor c) {
  return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

}  // namespace tessarin::test
