#pragma once

#include <QString>
#include <QTemporaryDir>

#include <unistd.h>

namespace testing_support {

// A folder on a file system of its own, a few kilobytes in size, that fills up as a nearly full
// disk would: a tmpfs mounted for the test and unmounted with this object. Mounting needs root
// (the suite's CI runs as root); mounted() tells whether it worked.
class SmallFilesystem {
public:
    explicit SmallFilesystem(int kilobytes);
    ~SmallFilesystem();
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;

    bool mounted() const { return mounted_; }
    QString path() const { return folder_.path(); }
    // Every entry in the folder, hidden ones included.
    QStringList entries() const;

private:
    QTemporaryDir folder_;
    bool mounted_ = false;
};

}  // namespace testing_support

// Skips the test when the small file system cannot be had (not root); fails it when root cannot
// mount one.
#define REQUIRE_SMALL_FILESYSTEM(fs)                                                          \
    do {                                                                                      \
        if (!(fs).mounted()) {                                                                \
            if (::geteuid() != 0)                                                             \
                GTEST_SKIP() << "mounting a small file system needs root";                    \
            FAIL() << "could not mount a small file system at " << (fs).path().toStdString(); \
        }                                                                                     \
    } while (false)
