#pragma once
// Marks the row a playback is performing with an arrow in its first cell,
// without touching the selection.

#include <QIcon>
#include <QStyledItemDelegate>

namespace pointilla::shell {

class PlayingRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT

  public:
    explicit PlayingRowDelegate(QObject* parent = nullptr);

    // 0-based row of the model; -1: no row is marked.
    void setPlayingRow(int row) { row_ = row; }
    int playingRow() const { return row_; }
    bool marks(const QModelIndex& index) const {
        return index.row() == row_ && index.column() == 0;
    }

    // The arrow takes no height of its own: the rows keep their size.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    QIcon arrow_;
    int row_ = -1;
};

}  // namespace pointilla::shell
