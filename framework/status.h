#pragma once

#include <optional>
#include <string>
#include <utility>

// The outcome of an operation that can fail: success, or a failure with a message
// for a person (which names the file and the reason where there is one).
class Status {
public:
    Status() = default; // success
    static Status Failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    // Empty on success.
    const std::string& message() const
    {
        static const std::string none;
        return m_message ? *m_message : none;
    }

private:
    explicit Status(std::string message)
        : m_message(std::move(message))
    {
    }
    std::optional<std::string> m_message;
};

// A value, or the failure that kept it from being made (the shape of std::expected).
template <typename T> class Result {
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(Status failure)
        : m_status(std::move(failure))
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const Status& status() const { return m_status; }
    const std::string& message() const { return m_status.message(); }

private:
    std::optional<T> m_value;
    Status m_status;
};
