// tessarin-history-shot [--home DIR] [--size WxH] [--stats-size WxH] LOG.png STATS.png: the
// History window over the program directory's boinc.csv, its "Logfile" page into LOG.png and
// its "Statistics" page, every node open, into STATS.png. Meant for QT_QPA_PLATFORM=offscreen; the
// window's settings go into DIR's Tessarin.ini as on any closing.

#include <QApplication>
#include <QLocale>
#include <QPixmap>
#include <QStringList>
#include <QTabWidget>
#include <QTreeView>
#include <clocale>
#include <cstdio>

#include "core/program/program.h"
#include "core/settings/settings_store.h"
#include "gui/browsers/history_window.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"
#include "platform/program_dir.h"

namespace {

// Nobody is there to click a box away.
class PrintedMessageBoxes final : public tessarin::MessageBoxes {
 public:
  tessarin::MessageAnswer Show(QWidget*, tessarin::MessageKind, const QString& caption,
                               const QString& text, tessarin::MessageButtons) override {
    std::fprintf(stderr, "%s: %s\n", caption.toUtf8().constData(), text.toUtf8().constData());
    return tessarin::MessageAnswer::kOk;
  }
};

bool Save(QWidget& window, const QString& file) {
  QApplication::processEvents();
  if (window.grab().save(file, "PNG"))
    return true;
  std::fprintf(stderr, "cannot write %s\n", file.toUtf8().constData());
  return false;
}

int Usage() {
  std::fprintf(stderr,
               "usage: tessarin-history-shot [--home DIR] [--size WxH] LOG.png STATS.png\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // Every number read and shown depends on '.' decimals.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale::c());

  QString home;
  QSize size(760, 420);
  QSize statsSize(680, 560);
  QStringList files;
  const QStringList arguments = QApplication::arguments();
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QStringLiteral("--home") && i + 1 < arguments.size()) {
      home = arguments[++i];
    } else if ((argument == QStringLiteral("--size") ||
                argument == QStringLiteral("--stats-size")) &&
               i + 1 < arguments.size()) {
      const QStringList parts = arguments[++i].split(QLatin1Char('x'));
      if (parts.size() != 2)
        return Usage();
      (argument == QStringLiteral("--size") ? size : statsSize) =
          QSize(parts[0].toInt(), parts[1].toInt());
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2 || size.isEmpty() || statsSize.isEmpty())
    return Usage();

  using namespace tessarin;
  const std::string programDir = FindProgramDir(CurrentProgramDirSources(ToBytes(home)));
  SettingsStore settings(SettingsPath(programDir));
  PrintedMessageBoxes messages;
  TfrmHistory window(settings, programDir, nullptr, &messages);
  window.move(0, 0);
  window.resize(size);
  window.show();

  window.PageControl()->setCurrentIndex(TfrmHistory::kLogfilePage);
  if (!Save(window, files[0]))
    return 1;
  window.resize(statsSize);
  window.PageControl()->setCurrentIndex(TfrmHistory::kStatisticsPage);
  window.Tree()->expandAll();
  window.Tree()->setCurrentIndex({});
  if (!Save(window, files[1]))
    return 1;
  window.close();
  return 0;
}
