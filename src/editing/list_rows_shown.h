#pragma once
// A drop-down list that opens on at most `rows` entries and scrolls the
// others, whatever the style would do (some open a list over the whole
// screen height).

#include <QComboBox>

namespace pointilla::editing {

inline void showAtMostRows(QComboBox& list, int rows) {
    list.setMaxVisibleItems(rows);
    // Styles that open the list as a menu ignore the limit; a plain list keeps it.
    list.setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
}

}  // namespace pointilla::editing
