#include "scenario/scenario.h"

#include <stdexcept>

namespace pointilla::scenario {

void Scenario::insertAt(int n, Row row) {
    if (n < 1 || n > count() + 1) throw std::out_of_range("Scenario::insertAt: no such row");
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(index(n)), std::move(row));
}

void Scenario::remove(int n) {
    if (!contains(n)) throw std::out_of_range("Scenario::remove: no such row");
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(index(n)));
}

}  // namespace pointilla::scenario
