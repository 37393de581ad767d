#include "shell/playing_row_delegate.h"

#include <QApplication>
#include <QStyle>

namespace pointilla::shell {

PlayingRowDelegate::PlayingRowDelegate(QObject* parent)
    : QStyledItemDelegate(parent),
      arrow_(QIcon::fromTheme(QStringLiteral("go-next"),
                              QApplication::style()->standardIcon(QStyle::SP_ArrowRight))) {}

QSize PlayingRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QSize hint = QStyledItemDelegate::sizeHint(option, index);
    if (marks(index)) {
        hint.setHeight(QStyledItemDelegate::sizeHint(option, index.siblingAtColumn(1)).height());
    }
    return hint;
}

void PlayingRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!marks(index)) return;
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->icon = arrow_;
    const int side = option->fontMetrics.height() - 2;
    option->decorationSize = QSize(side, side);
}

}  // namespace pointilla::shell
