#include "gui/browsers/overview_window.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QShowEvent>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/browsers/overview_build.h"
#include "core/browsers/overview_fonts.h"
#include "core/browsers/overview_layout.h"
#include "core/browsers/overview_settings.h"
#include "core/browsers/overview_texts.h"
#include "gui/browsers/overview_date_text.h"
#include "gui/browsers/overview_grid_delegate.h"
#include "gui/browsers/overview_model.h"

namespace tessarin {

namespace {

// Room beside a date text, so no rounding of text widths cuts it.
constexpr int kOverviewDatePadding = 6;

int SmallestMinimumWidth() {
  int smallest = kOverviewColumns.front().MinWidth;
  for (const OverviewColumn& column : kOverviewColumns)
    smallest = std::min(smallest, column.MinWidth);
  return smallest;
}

OverviewColumnLayouts CurrentColumns(const QHeaderView& header) {
  OverviewColumnLayouts columns;
  for (int i = 0; i < overview_column::kCount; ++i) {
    columns[static_cast<std::size_t>(i)] = {header.visualIndex(i), header.sectionSize(i)};
  }
  return columns;
}

void ApplyColumns(QHeaderView& header, const OverviewColumnLayouts& columns) {
  // Filling the places from the left: a move never disturbs a place already filled.
  for (int place = 0; place < overview_column::kCount; ++place) {
    for (int i = 0; i < overview_column::kCount; ++i) {
      if (columns[static_cast<std::size_t>(i)].Position == place)
        header.moveSection(header.visualIndex(i), place);
    }
  }
  for (int i = 0; i < overview_column::kCount; ++i)
    header.resizeSection(i, columns[static_cast<std::size_t>(i)].Width);
}

}  // namespace

TfrmOverview::TfrmOverview(SettingsStore& settings, ResultList results, double now, QWidget* parent,
                           const QLocale& dateLocale)
    : QDialog(parent), settings_(settings), dateLocale_(dateLocale) {
  setWindowTitle(QString::fromLatin1(kOverviewCaption));
  setSizeGripEnabled(true);
  tree_ = new QTreeView(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tree_);
  FormCreate(std::move(results), now);
}

void TfrmOverview::FormCreate(ResultList results, double now) {
  const OverviewGeometry geometry = LoadOverviewGeometry(settings_);
  move(geometry.Left, geometry.Top);
  resize(geometry.Width, geometry.Height);
  if (geometry.Maximized)
    setWindowState(windowState() | Qt::WindowMaximized);

  model_ = new OverviewModel(
      BuildOverview(results, now),
      [locale = dateLocale_](double unixSeconds) { return OverviewDateText(unixSeconds, locale); },
      this);
  tree_->setModel(model_);
  tree_->setItemDelegate(new OverviewGridDelegate(tree_));
  tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree_->setAllColumnsShowFocus(true);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->setUniformRowHeights(false);  // hosts, projects and results have their own sizes

  QHeaderView* header = tree_->header();
  QFont headerFont = header->font();
  headerFont.setBold(true);
  header->setFont(headerFont);
  header->setMinimumHeight(kOverviewHeaderHeight);
  header->setSectionsMovable(true);
  header->setStretchLastSection(false);  // widths stay as the user left them
  header->setMinimumSectionSize(SmallestMinimumWidth());
  minimumWidths_ = MinimumWidths();
  OverviewColumnLayouts design = DesignOverviewColumns();
  for (std::size_t i = 0; i < design.size(); ++i)
    design[i].Width = std::max(design[i].Width, minimumWidths_[i]);
  ApplyColumns(*header, design);
  connect(header, &QHeaderView::sectionResized, this,
          [this](int logicalIndex, int, int newSize) { KeepMinimumWidth(logicalIndex, newSize); });

  const OverviewTree& overview = model_->Tree();
  for (int row = 0; row < static_cast<int>(overview.size()); ++row) {
    if (overview[static_cast<std::size_t>(row)].Expanded)
      tree_->expand(model_->index(row, 0));
  }
}

OverviewWidths TfrmOverview::MinimumWidths() const {
  // Date cells are drawn in the result rows' font.
  OverviewNode result;
  result.Level = OverviewLevel::Result;
  QFont font;
  font.setPointSize(TreePaintText(result, overview_column::kDeadline).PointSize);
  const QFontMetrics metrics(font);
  const int margin = tree_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_);
  return OverviewMinimumWidths(WidestOverviewDateText(dateLocale_, metrics),
                               metrics.horizontalAdvance(QString::fromLatin1(kEstimateSeparator)),
                               2 * (margin + 1) + kOverviewDatePadding);
}

void TfrmOverview::KeepMinimumWidth(int logicalIndex, int newSize) {
  if (logicalIndex < 0 || logicalIndex >= overview_column::kCount)
    return;
  const int minimum = minimumWidths_[static_cast<std::size_t>(logicalIndex)];
  if (newSize < minimum)
    tree_->header()->resizeSection(logicalIndex, minimum);
}

void TfrmOverview::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_ && !event->spontaneous()) {
    shown_ = true;
    FormShow();
  }
}

void TfrmOverview::FormShow() {
  QHeaderView& header = *tree_->header();
  ApplyColumns(header, LoadOverviewColumns(settings_, CurrentColumns(header)));
}

void TfrmOverview::done(int result) {
  if (!closed_) {
    closed_ = true;
    FormClose();
  }
  QDialog::done(result);
}

void TfrmOverview::FormClose() {
  const Qt::WindowStates state = windowState();
  OverviewGeometry geometry;
  geometry.Maximized = state.testFlag(Qt::WindowMaximized);
  geometry.Left = x();
  geometry.Top = y();
  geometry.Height = height();
  geometry.Width = width();
  const bool normal = !(state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  // A settings file that cannot be written loses only this window's placement.
  SaveOverviewSettings(settings_, geometry, normal, CurrentColumns(*tree_->header()));
}

void ShowOverviewWindow(QWidget* parent, SettingsStore& settings, ResultList results, double now) {
  TfrmOverview window(settings, std::move(results), now, parent);
  window.exec();
}

}  // namespace tessarin
