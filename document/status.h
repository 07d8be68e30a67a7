#pragma once

#include <string>
#include <utility>

// The outcome of an operation that can fail: success, or a reason the caller can show. A reason may
// come in two wordings: the English line varnel-cli prints, and the program's Russian text for the
// window; without a Russian one, the window shows the line as it is.
class Status {
public:
    static Status success() { return Status(); }
    static Status failure(std::string reason) { return Status(std::move(reason), {}); }
    static Status failure(std::string reason, std::string userText)
    {
        return Status(std::move(reason), std::move(userText));
    }

    bool ok() const { return failed == false; }
    explicit operator bool() const { return ok(); }
    const std::string& reason() const { return why; }
    // The reason for a message box.
    const std::string& userReason() const { return shown.empty() ? why : shown; }
    // The same failure with `prefix` (a file name and ": ", say) in front of both wordings.
    Status prefixed(const std::string& prefix) const
    {
        return ok() ? *this : Status(prefix + why, shown.empty() ? std::string() : prefix + shown);
    }

private:
    Status() = default;
    Status(std::string reason, std::string userText)
        : failed(true), why(std::move(reason)), shown(std::move(userText))
    {
    }
    bool failed = false;
    std::string why;
    std::string shown;
};
