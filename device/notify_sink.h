#pragma once

// Where the worker's notifications go: the measurement form's thread. post() is called on the worker
// and must only queue the code for the owner's thread; it returns before the owner reacts.
class CNotifySink {
public:
    virtual ~CNotifySink() = default;
    virtual void post(int code) = 0;
};
