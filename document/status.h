#pragma once

#include <string>
#include <utility>

// The outcome of an operation that can fail: success, or a reason the caller can show.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string reason) { return Status(std::move(reason)); }

    bool ok() const { return failed == false; }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return why; }

private:
    Status() = default;
    explicit Status(std::string reason) : failed(true), why(std::move(reason)) {}
    bool failed = false;
    std::string why;
};
