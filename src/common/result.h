#pragma once
// The one way to report failure below the user interface: a Result holds either
// the value asked for or the error that prevented it, never both. Each layer picks
// its own error type (a file error with its errno, a registry status code, ...);
// words for people are chosen at the edge that shows them, not here.

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace pointilla {

// Wraps an error so that `return fail(e);` reads as what it is.
template <class E>
struct Failure {
    E error;
};
template <class E>
Failure<std::decay_t<E>> fail(E&& error) {
    return {std::forward<E>(error)};
}

template <class T, class E>
class [[nodiscard]] Result {
  public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}  // NOLINT: implicit by design
    template <class G>
    Result(Failure<G> failure)  // NOLINT: implicit by design
        : state_(std::in_place_index<1>, E(std::move(failure.error))) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const E& error() const& { return std::get<1>(state_); }
    E&& error() && { return std::get<1>(std::move(state_)); }

  private:
    std::variant<T, E> state_;
};

// An operation that gives nothing back but may fail.
template <class E>
class [[nodiscard]] Result<void, E> {
  public:
    Result() = default;
    template <class G>
    Result(Failure<G> failure) : error_(E(std::move(failure.error))) {}  // NOLINT: implicit by design

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const E& error() const& { return *error_; }
    E&& error() && { return *std::move(error_); }

  private:
    std::optional<E> error_;
};

// Xlib defines a macro of this name; the alias is declared past it whatever
// the order of inclusion.
#pragma push_macro("Status")
#undef Status
template <class E>
using Status = Result<void, E>;
#pragma pop_macro("Status")

}  // namespace pointilla
