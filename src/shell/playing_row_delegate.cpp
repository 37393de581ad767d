#include "shell/playing_row_delegate.h"

#include <QApplication>
#include <QStyle>

namespace pointilla::shell {

PlayingRowDelegate::PlayingRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent),
      arrow_(QIcon::fromTheme(QStringLiteral("go-next"),
                              QApplication::style()->standardIcon(QStyle::SP_ArrowRight))) {}

void PlayingRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!marks(index)) return;
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = arrow_;
    const int side = option->fontMetrics.height();
    option->decorationSize = QSize(side, side);
}

}  // namespace pointilla::shell
