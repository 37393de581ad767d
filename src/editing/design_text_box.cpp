#include "editing/design_text_box.h"

#include <QEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>

namespace pointilla::editing {

namespace {
// The gap QLineEdit leaves above a top-aligned line.
constexpr int kLineEditTopGap = 1;
}  // namespace

void DesignTextBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    centreOnLineHeight();
}

void DesignTextBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        centreOnLineHeight();
    }
}

// Top-aligned below a margin that puts the line where centring on the line
// height would: the same pixels as QLineEdit's own centring with usual fonts.
void DesignTextBox::centreOnLineHeight() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const int top =
        std::max(0, (contents.height() - fontMetrics().height() + 1) / 2 - kLineEditTopGap);
    setAlignment((alignment() & ~Qt::AlignVertical_Mask) | Qt::AlignTop);
    if (textMargins().top() != top) setTextMargins(0, top, 0, 0);
}

}  // namespace pointilla::editing
