#include "gui/controls/string_grid_ex_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionViewItem>

namespace tessarin {

StringGridDelegate::StringGridDelegate(QObject* parent) : QAbstractItemDelegate(parent) {}

void StringGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  if (selected)
    painter->fillRect(option.rect, option.palette.brush(QPalette::Highlight));
  painter->save();
  painter->setFont(option.font);
  painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(option.rect.adjusted(kTextLeft, 0, 0, 0),
                    Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(Qt::DisplayRole).toString());
  painter->restore();

  if (option.state.testFlag(QStyle::State_HasFocus)) {
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(option);
    focus.state |= QStyle::State_KeyboardFocusChange;
    focus.backgroundColor = option.palette.color(selected ? QPalette::Highlight : QPalette::Base);
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
  }
}

QSize StringGridDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  return {option.fontMetrics.horizontalAdvance(text) + kTextMargin, option.fontMetrics.height()};
}

}  // namespace tessarin
