#pragma once
// One step of the scenario's history: the changes it made to the rows, in the
// order they were made, each able to be made again or taken back.

#include <string>
#include <variant>
#include <vector>

#include "scenario/row.h"

namespace pointilla::editing {

struct RowInserted {
    int n;  // the row's number once inserted
    scenario::Row row;
};
struct RowRemoved {
    int n;  // the row's number before it went
    scenario::Row row;
};
struct DetailChanged {
    int n;
    std::string before;
    std::string after;
};
// The whole list at once. Only the rows the list does not show are kept: those
// from before the step while it is done, those after it while it is taken back
// (each way is a swap), so that a long scenario opened is held once, not twice.
struct RowsReplaced {
    std::vector<scenario::Row> other;
};

using RowChange = std::variant<RowInserted, RowRemoved, DetailChanged, RowsReplaced>;

// One visitor out of several lambdas.
template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;  // for compilers without aggregate deduction

// The change that takes `change` back (a replacement is its own: a swap).
RowChange inverseOf(const RowChange& change);

}  // namespace pointilla::editing
