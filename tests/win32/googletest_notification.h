#pragma once

// Included ahead of every GoogleTest source in the Windows build (-include).
// mingw-w64's win32 thread model has no std::mutex or std::condition_variable,
// which GoogleTest's Notification is made of. The Windows tests run on one
// thread, so a flag does: only GoogleTest's own threading tests use it.
#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_ = true; }
    void WaitForNotification() const {}
    bool notified() const { return notified_; }

private:
    bool notified_ = false;
};

} // namespace testing::internal
