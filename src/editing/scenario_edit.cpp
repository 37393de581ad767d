#include "editing/scenario_edit.h"

namespace pointilla::editing {

RowChange inverseOf(const RowChange& change) {
    return std::visit(Overloaded{
                          [](const RowInserted& c) -> RowChange {
                              return RowRemoved{c.n, c.row};
                          },
                          [](const RowRemoved& c) -> RowChange {
                              return RowInserted{c.n, c.row};
                          },
                          [](const DetailChanged& c) -> RowChange {
                              return DetailChanged{c.n, c.after, c.before};
                          },
                          [](const RowsReplaced& c) -> RowChange { return c; },
                      },
                      change);
}

}  // namespace pointilla::editing
