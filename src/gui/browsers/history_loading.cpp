#include "gui/browsers/history_loading.h"

#include <QEventLoop>
#include <QFontMetrics>
#include <QProgressDialog>
#include <QTimer>
#include <exception>
#include <thread>

#include "core/browsers/history_model.h"
#include "gui/qt_text.h"

namespace tessarin {

HistoryLoading LoadHistoryWithProgress(QWidget* parent, const SettingsStore& settings,
                                       const std::string& programDir, const QFont& gridFont,
                                       int busyDelayMs) {
  HistoryLoading loading;
  QEventLoop loop;
  // Queued, so a reading that ends before the loop runs still ends it.
  const auto finished = [&loop] {
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  };

  // A font of its own: a shared QFont caches its engine per thread and would be changed by
  // the worker while the interface paints with it.
  const QString fontDescription = gridFont.toString();
  std::thread worker([&loading, &settings, &programDir, &fontDescription, &finished] {
    try {
      QFont font;
      font.fromString(fontDescription);
      const QFontMetrics metrics(font);
      loading.model.emplace(LoadHistory(settings, programDir, [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(ToQString(text));
      }));
    } catch (const std::exception& error) {
      loading.error = error.what();
    }
    finished();
  });

  QProgressDialog busy(QStringLiteral("Reading the log..."), QString(), 0, 0, parent);
  busy.setWindowTitle(QString::fromLatin1(kHistoryCaption));
  busy.setWindowModality(Qt::ApplicationModal);
  busy.setCancelButton(nullptr);
  busy.setMinimumDuration(busyDelayMs);
  QTimer show;
  show.setSingleShot(true);
  QObject::connect(&show, &QTimer::timeout, &busy, &QProgressDialog::show);
  show.start(busyDelayMs);

  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  show.stop();
  busy.reset();
  return loading;
}

}  // namespace tessarin
