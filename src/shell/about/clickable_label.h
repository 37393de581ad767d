#pragma once
// A label that reacts to a left click, like a link.

#include <QLabel>

namespace pointilla::shell {

class ClickableLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace pointilla::shell
