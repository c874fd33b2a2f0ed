#pragma once

#include <QString>

#include <concepts>
#include <utility>
#include <variant>

// What a failed operation says: a German text that the window shows as it is.
struct Failure
{
    QString message;
};

// The outcome of an operation that can fail: its value, or the Failure that says why not.
// The UI-free code reports every failure this way; no exception leaves it for a handler.
// Result<> carries no value, only success or the failure.
template<typename T = std::monostate> class [[nodiscard]] Result
{
public:
    // clang-format 14 and 19 place a requires clause differently; written as both accept it.
    // clang-format off
    Result() requires std::same_as<T, std::monostate> = default;
    // clang-format on
    Result(T value)
        : m_state(std::move(value))
    {
    }
    Result(Failure failure)
        : m_state(std::move(failure))
    {
    }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T &value() const { return std::get<T>(m_state); }
    const T &operator*() const { return value(); }
    const T *operator->() const { return &value(); }

    // Empty when the operation succeeded.
    QString error() const { return ok() ? QString() : std::get<Failure>(m_state).message; }
    // The failure, to be handed on by a caller that fails with it.
    Failure failure() const { return Failure { error() }; }

private:
    std::variant<T, Failure> m_state;
};
