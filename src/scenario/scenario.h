#pragma once
// The scenario: the ordered rows that are shown, saved and played, numbered
// from 1 as every part of the program counts them.

#include <cstddef>
#include <string>
#include <vector>

#include "scenario/row.h"

namespace pointilla::scenario {

class Scenario {
  public:
    Scenario() = default;
    explicit Scenario(std::vector<Row> rows) : rows_(std::move(rows)) {}

    int count() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    bool contains(int n) const { return n >= 1 && n <= count(); }

    // Row n, 1-based; n must be in 1..count().
    const Row& row(int n) const { return rows_.at(index(n)); }
    const std::string& action(int n) const { return row(n).action; }
    const std::string& detail(int n) const { return row(n).detail; }

    void append(Row row) { rows_.push_back(std::move(row)); }
    // The new row becomes row n; n may be count()+1, which appends.
    void insertAt(int n, Row row);
    void setDetail(int n, std::string detail) { rows_.at(index(n)).detail = std::move(detail); }
    void remove(int n);
    void clear() { rows_.clear(); }
    void replaceAll(std::vector<Row> rows) { rows_ = std::move(rows); }
    // The rows become `rows`, and `rows` what they were.
    void swapRows(std::vector<Row>& rows) { rows_.swap(rows); }

    const std::vector<Row>& rows() const { return rows_; }

  private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

    std::vector<Row> rows_;
};

}  // namespace pointilla::scenario
