#pragma once
// "Tessarin - Overall view": every host, project and result of the kept result list, with
// the estimate of when each result will be finished.

#include <QDialog>
#include <QLocale>

#include "core/browsers/overview_column_widths.h"
#include "core/data/result_list.h"

class QTreeView;

namespace tessarin {

class OverviewModel;
class SettingsStore;

class TfrmOverview : public QDialog {
  Q_OBJECT

 public:
  // `results` is this window's own copy: a cycle that ends while it is open changes
  // nothing here. `now` (Unix seconds) is where every estimate starts. Dates follow
  // `dateLocale`.
  TfrmOverview(SettingsStore& settings, ResultList results, double now, QWidget* parent = nullptr,
               const QLocale& dateLocale = QLocale::system());

  QTreeView* Tree() const { return tree_; }
  const OverviewModel* Model() const { return model_; }

  // Saves the settings once, however the window is closed.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate(ResultList results, double now);
  void FormShow();
  void FormClose();
  void KeepMinimumWidth(int logicalIndex, int newSize);
  OverviewWidths MinimumWidths() const;

  SettingsStore& settings_;
  QLocale dateLocale_;
  OverviewWidths minimumWidths_{};
  QTreeView* tree_ = nullptr;
  OverviewModel* model_ = nullptr;
  bool shown_ = false;
  bool closed_ = false;
};

// Creates the window over a copy of the kept result list, shows it modally and frees it.
void ShowOverviewWindow(QWidget* parent, SettingsStore& settings, ResultList results, double now);

}  // namespace tessarin
