#include "gui/browsers/history_window.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <utility>

#include "core/browsers/history_columns.h"
#include "core/browsers/history_reader.h"
#include "gui/browsers/history_loading.h"
#include "gui/browsers/history_tree_model.h"
#include "gui/controls/string_grid_ex.h"
#include "gui/dialogs/message_boxes.h"
#include "gui/qt_text.h"

namespace tessarin {

namespace {

QString Caption(const char* text) {
  return QString::fromLatin1(text);
}

// Names are shown as they are: a '&' in one is no shortcut mark.
QString MenuCaption(const std::string& name) {
  return ToQString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

constexpr int kTreeColumnCount = static_cast<int>(kTreeColumns.size());
// Room beside a number, so no rounding of text widths cuts it.
constexpr int kTreeTextPadding = 6;

}  // namespace

TfrmHistory::TfrmHistory(SettingsStore& settings, const std::string& programDir, QWidget* parent,
                         MessageBoxes* messages, std::function<JobLogImport()> importJobLogs)
    : QDialog(parent),
      settings_(settings),
      programDir_(programDir),
      ownMessages_(messages == nullptr ? std::make_unique<QtMessageBoxes>() : nullptr),
      messages_(messages == nullptr ? *ownMessages_ : *messages),
      importJobLogs_(std::move(importJobLogs)) {
  setWindowTitle(Caption(kHistoryCaption));
  setSizeGripEnabled(true);
  // Resizable, with the buttons of a normal window.
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  BuildWidgets();
  BuildMenus();
  FormCreate();
}

TfrmHistory::~TfrmHistory() {
  // The views outlive this body and may still ask their models while the dialog hides;
  // the data they read goes first.
  grid_->SetGrid(nullptr, nullptr, nullptr);
  tree_->setModel(nullptr);
  delete treeModel_;
}

void TfrmHistory::BuildWidgets() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  mainMenu_ = new QMenuBar(this);
  layout->setMenuBar(mainMenu_);

  pages_ = new QTabWidget(this);
  pages_->setTabPosition(QTabWidget::South);
  pages_->setDocumentMode(true);
  layout->addWidget(pages_);

  grid_ = new TStringGridEx;
  grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
  pages_->addTab(grid_, Caption(kLogfilePageCaption));

  tree_ = new QTreeView;
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree_->setAllColumnsShowFocus(true);
  tree_->setUniformRowHeights(false);  // each level has its own font
  QHeaderView* header = tree_->header();
  QFont headerFont = header->font();
  headerFont.setBold(true);
  header->setFont(headerFont);
  header->setMinimumHeight(kTreeHeaderHeight);
  header->setSectionsMovable(true);
  header->setStretchLastSection(false);  // widths stay as the user left them
  header->setSectionResizeMode(QHeaderView::Interactive);
  pages_->addTab(tree_, Caption(kStatisticsPageCaption));

  connect(pages_, &QTabWidget::currentChanged, this, &TfrmHistory::PageControlChange);
}

void TfrmHistory::BuildMenus() {
  mOptions_ = mainMenu_->addMenu(Caption(kOptionsMenuCaption));
  mError_ = mOptions_->addAction(Caption(kFilterErrorsCaption));
  mZero_ = mOptions_->addAction(Caption(kZeroAsErrorCaption));
  for (QAction* item : {mError_, mZero_}) {
    item->setCheckable(true);
    item->setChecked(false);
    connect(item, &QAction::triggered, this, &TfrmHistory::mErrorClick);
  }
  mProjects_ = mainMenu_->addMenu(Caption(kProjectsMenuCaption));
  mHosts_ = mainMenu_->addMenu(Caption(kHostsMenuCaption));
  if (importJobLogs_) {
    mImportJobLogs_ =
        mainMenu_->addMenu(Caption(kLogMenuCaption))->addAction(Caption(kImportJobLogsCaption));
    connect(mImportJobLogs_, &QAction::triggered, this, &TfrmHistory::mImportJobLogsClick);
  }
  PageControlChange(pages_->currentIndex());
}

// The rows added show the next time the window opens: this one keeps the log it read.
void TfrmHistory::mImportJobLogsClick() {
  const JobLogImport import = importJobLogs_();
  std::string text = JobLogImportText(import);
  for (const std::string& problem : JobLogImportProblems(import))
    text += "\n" + problem;
  messages_.Information(this, Caption(kHistoryCaption), ToQString(text));
}

void TfrmHistory::FormCreate() {
  const WindowGeometry geometry = ReadHistoryGeometry(settings_);
  move(geometry.left, geometry.top);
  resize(geometry.width, geometry.height);
  if (ReadHistoryMaximized(settings_))
    setWindowState(windowState() | Qt::WindowMaximized);

  HistoryLoading loading =
      LoadHistoryWithProgress(parentWidget(), settings_, programDir_, grid_->font());
  if (loading.model) {
    data_ = std::make_unique<HistoryModel>(std::move(*loading.model));
  } else {
    readFailed_ = true;
    data_ = std::make_unique<HistoryModel>(HistoryLog());
    messages_.Error(parentWidget(), Caption(kHistoryCaption), ToQString(loading.error));
  }

  grid_->SetGrid(&data_->table, &data_->rows, &data_->columns);
  FillFilterMenu(*mProjects_, FilterMenu::Projects, data_->filter.projects);
  FillFilterMenu(*mHosts_, FilterMenu::Hosts, data_->filter.hosts);

  treeModel_ = new HistoryTreeModel(data_->tree, data_->options, this);
  tree_->setModel(treeModel_);
  QHeaderView* header = tree_->header();
  header->setMinimumSectionSize(1);
  treeFits_ = MeasuredTreeWidths();
  ApplyTreeLayout(DefaultTreeLayout());
  connect(header, &QHeaderView::sectionResized, this,
          [this](int logicalIndex, int, int newSize) { KeepMinimumWidth(logicalIndex, newSize); });

  // Without rows the settings are stored at once, the column choice as it was. The statistics
  // columns keep what was stored: they have not been laid out yet.
  if (!data_->HasData() && !readFailed_)
    SaveSettings(ReadTreeLayout(settings_, CurrentTreeLayout()));
  grid_->setFocus();
}

void TfrmHistory::FillFilterMenu(QMenu& menu, FilterMenu which,
                                 const std::vector<FilterItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    QAction* action = menu.addAction(MenuCaption(items[i].caption));
    action->setCheckable(true);
    action->setChecked(items[i].checked);
    connect(action, &QAction::triggered, this, [this, which, i] { FilterClick(which, i); });
  }
}

void TfrmHistory::FilterClick(FilterMenu menu, std::size_t item) {
  grid_->SuspendRedraw();
  tessarin::FilterClick(data_->filter, menu, item, data_->table, data_->rows);
  grid_->RowsChanged();
  grid_->ResumeRedraw();
  // The menu flipped its own mark already; the filter's is the one that counts.
  const std::vector<FilterItem>& items =
      menu == FilterMenu::Projects ? data_->filter.projects : data_->filter.hosts;
  const QList<QAction*> actions = (menu == FilterMenu::Projects ? mProjects_ : mHosts_)->actions();
  for (qsizetype i = 0; i < actions.size() && static_cast<std::size_t>(i) < items.size(); ++i)
    actions[i]->setChecked(items[static_cast<std::size_t>(i)].checked);
}

void TfrmHistory::mErrorClick() {
  data_->options.filterErrors = mError_->isChecked();
  data_->options.zeroAsError = mZero_->isChecked();
  treeModel_->OptionsChanged();
}

void TfrmHistory::PageControlChange(int page) {
  mOptions_->menuAction()->setVisible(page == kStatisticsPage);
  mProjects_->menuAction()->setVisible(page == kLogfilePage);
  mHosts_->menuAction()->setVisible(page == kLogfilePage);
}

TreeWidths TfrmHistory::MeasuredTreeWidths() {
  // Under every choice of the two options, which move counts between the columns.
  TreeWidths widest{};
  const StatOptions chosen = data_->options;
  for (const bool filterErrors : {false, true}) {
    for (const bool zeroAsError : {false, true}) {
      data_->options = {filterErrors, zeroAsError};
      for (const StatNode& node : data_->tree.nodes) {
        const NodeFont look = TreePaintText(node);
        QFont font = tree_->font();
        font.setPointSize(look.pointSize);
        font.setBold(look.bold);
        const QFontMetrics metrics(font);
        for (int column = 1; column < kTreeColumnCount; ++column) {
          int& width = widest[static_cast<std::size_t>(column)];
          width = std::max(width, metrics.horizontalAdvance(
                                      ToQString(TreeGetText(node, column, data_->options))));
        }
      }
    }
  }
  data_->options = chosen;
  const int margin = tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_);
  return TreeFittingWidths(widest, 2 * (margin + 1) + kTreeTextPadding);
}

void TfrmHistory::KeepMinimumWidth(int logicalIndex, int newSize) {
  if (logicalIndex < 0 || logicalIndex >= kTreeColumnCount)
    return;
  const int minimum = kTreeColumns[static_cast<std::size_t>(logicalIndex)].minWidth;
  if (newSize < minimum)
    tree_->header()->resizeSection(logicalIndex, minimum);
}

TreeLayout TfrmHistory::CurrentTreeLayout() const {
  const QHeaderView& header = *tree_->header();
  TreeLayout layout{};
  for (int i = 0; i < kTreeColumnCount; ++i)
    layout[static_cast<std::size_t>(i)] = {header.visualIndex(i), header.sectionSize(i)};
  return layout;
}

void TfrmHistory::ApplyTreeLayout(const TreeLayout& layout) {
  QHeaderView& header = *tree_->header();
  // Filling the places from the left: a move never disturbs a place already filled.
  for (int place = 0; place < kTreeColumnCount; ++place) {
    for (int i = 0; i < kTreeColumnCount; ++i) {
      if (layout[static_cast<std::size_t>(i)].position == place)
        header.moveSection(header.visualIndex(i), place);
    }
  }
  // Opened wide enough for every number; the user may narrow a column afterwards.
  for (int i = 0; i < kTreeColumnCount; ++i) {
    const auto column = static_cast<std::size_t>(i);
    header.resizeSection(i, std::max(layout[column].width, treeFits_[column]));
  }
}

void TfrmHistory::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_ && !event->spontaneous()) {
    shown_ = true;
    FormShow();
  }
}

void TfrmHistory::FormShow() {
  ApplyTreeLayout(ReadTreeLayout(settings_, CurrentTreeLayout()));
}

void TfrmHistory::done(int result) {
  if (!closed_) {
    closed_ = true;
    FormClose();
  }
  QDialog::done(result);
}

void TfrmHistory::FormClose() {
  SaveSettings(CurrentTreeLayout());
}

void TfrmHistory::SaveSettings(const TreeLayout& treeLayout) {
  const Qt::WindowStates state = windowState();
  HistoryCloseState close;
  close.columnMask =
      ClosingHistoryMask(settings_, !readFailed_ && data_->HasData(), grid_->ColumnMask());
  close.maximized = state.testFlag(Qt::WindowMaximized);
  if (!(state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
    close.normalGeometry = WindowGeometry{x(), y(), height(), width()};
  close.treeLayout = treeLayout;
  try {
    SaveHistorySettings(settings_, close);
  } catch (const std::exception&) {
    // A settings file that cannot be written loses only this window's placement.
  }
}

void ShowHistoryWindow(QWidget* parent, SettingsStore& settings, const std::string& programDir,
                       MessageBoxes* messages, std::function<JobLogImport()> importJobLogs) {
  TfrmHistory window(settings, programDir, parent, messages, std::move(importJobLogs));
  window.exec();
}

}  // namespace tessarin
