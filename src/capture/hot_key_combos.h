#pragma once
// The main window's four drop-down lists: their filling at start-up and the
// keeping of the hot-key choice.
//
//   remplicombo(Combo1, Combo2, Combo3, Combo4, settings)
//       Empties and fills the four lists, selects in Combo1..Combo3 the indices
//       stored in "clé1".."clé3" (the default index when a stored text is not a
//       number or lies outside its list), and selects "1" in Combo4.
//   persistHotKeyChoices(Combo1, Combo2, Combo3, settings)
//       From then on, every entry the user picks in Combo1..Combo3 is written as
//       its index ("F5" in Combo3 writes "13") into "clé1".."clé3". Programmatic
//       selections (remplicombo's included) write nothing. `settings` must outlive
//       the lists.

#include <QComboBox>

#include "common/settings_store.h"

namespace pointilla::capture {

void remplicombo(QComboBox* combo1, QComboBox* combo2, QComboBox* combo3, QComboBox* combo4,
                 settings::Store& settings);

void persistHotKeyChoices(QComboBox* combo1, QComboBox* combo2, QComboBox* combo3,
                          settings::Store& settings);

}  // namespace pointilla::capture
