#pragma once

#include <QLockFile>

// Holds the per-user lock that keeps a second Daywise from running beside the first. The
// lock goes with the holder; after a crash the next start finds its process gone and takes
// the lock over.
class InstanceGuard {
public:
    InstanceGuard();
    // True when this process now holds the lock; false when another running Daywise does.
    bool acquire();

    static QString lockPath();

private:
    QLockFile lock_;
};
