#pragma once
// "Tessarin - History": boinc.csv read back once, as the table of every logged result (page
// "Logfile") and as statistics by project, application, host and version (page
// "Statistics"). The log is only read, never written, and a cycle may append to it meanwhile.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "core/browsers/history_filter.h"
#include "core/browsers/history_model.h"
#include "core/browsers/history_settings.h"
#include "core/watcher/job_log_import.h"

class QAction;
class QMenu;
class QMenuBar;
class QTabWidget;
class QTreeView;

namespace tessarin {

class HistoryTreeModel;
class MessageBoxes;
class SettingsStore;
class TStringGridEx;

class TfrmHistory : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kRowHeight = 19;
  static constexpr int kTreeHeaderHeight = 22;
  static constexpr int kLogfilePage = 0;
  static constexpr int kStatisticsPage = 1;

  // Reads the log of Options/logdir with the synonyms of `programDir`. A read error is shown
  // through `messages` (the real boxes when null) and leaves the window without data.
  // With `importJobLogs`, the menu "Log" offers the job-log import and shows its counts.
  TfrmHistory(SettingsStore& settings, const std::string& programDir, QWidget* parent = nullptr,
              MessageBoxes* messages = nullptr, std::function<JobLogImport()> importJobLogs = {});
  ~TfrmHistory() override;

  TStringGridEx* Grid() const { return grid_; }
  QTreeView* Tree() const { return tree_; }
  HistoryTreeModel* TreeModel() const { return treeModel_; }
  QTabWidget* PageControl() const { return pages_; }
  QMenuBar* MainMenu() const { return mainMenu_; }
  QMenu* OptionsMenu() const { return mOptions_; }
  QMenu* ProjectsMenu() const { return mProjects_; }
  QMenu* HostsMenu() const { return mHosts_; }
  QAction* ErrorItem() const { return mError_; }
  QAction* ZeroItem() const { return mZero_; }
  QAction* ImportJobLogsItem() const { return mImportJobLogs_; }
  const HistoryModel& Data() const { return *data_; }

  // Saves the settings once, however the window is closed.
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildWidgets();
  void BuildMenus();
  void FormCreate();
  void FormShow();
  void FormClose();
  void SaveSettings(const TreeLayout& treeLayout);
  void PageControlChange(int page);
  void mErrorClick();
  void mImportJobLogsClick();
  void FilterClick(FilterMenu menu, std::size_t item);
  void FillFilterMenu(QMenu& menu, FilterMenu which, const std::vector<FilterItem>& items);
  void KeepMinimumWidth(int logicalIndex, int newSize);
  TreeLayout CurrentTreeLayout() const;
  void ApplyTreeLayout(const TreeLayout& layout);
  TreeWidths MeasuredTreeWidths();

  SettingsStore& settings_;
  TreeWidths treeFits_{};  // each column's width for its widest text
  std::string programDir_;
  std::unique_ptr<MessageBoxes> ownMessages_;
  MessageBoxes& messages_;
  std::function<JobLogImport()> importJobLogs_;
  std::unique_ptr<HistoryModel> data_;
  // A failed reading keeps the stored column mask: the log may read fine next time.
  bool readFailed_ = false;

  QMenuBar* mainMenu_ = nullptr;
  QMenu* mOptions_ = nullptr;
  QAction* mError_ = nullptr;
  QAction* mZero_ = nullptr;
  QMenu* mProjects_ = nullptr;
  QMenu* mHosts_ = nullptr;
  QAction* mImportJobLogs_ = nullptr;
  QTabWidget* pages_ = nullptr;
  TStringGridEx* grid_ = nullptr;
  QTreeView* tree_ = nullptr;
  HistoryTreeModel* treeModel_ = nullptr;
  bool shown_ = false;
  bool closed_ = false;
};

// Creates the window, shows it modally and frees it.
void ShowHistoryWindow(QWidget* parent, SettingsStore& settings, const std::string& programDir,
                       MessageBoxes* messages = nullptr,
                       std::function<JobLogImport()> importJobLogs = {});

}  // namespace tessarin
