// A small file system of a test's own, to fill a disk for real.
#pragma once

#include <QByteArray>

#include <sched.h>
#include <sys/mount.h>

// While it lives, a tmpfs of the given size ("256k") is mounted on a folder, in a mount
// namespace of this process alone so nothing else sees it. Mounted() is false where the
// process may not mount.
class clsSmallDisk
{
public:
    clsSmallDisk(const QByteArray& folder, const QByteArray& size) : path(folder)
    {
        static const bool isolated = unshare(CLONE_NEWNS) == 0 &&
                                     mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        mounted = isolated && mount("tmpfs", path.constData(), "tmpfs", 0,
                                    QByteArray("size=" + size).constData()) == 0;
    }
    ~clsSmallDisk()
    {
        if (mounted)
            umount2(path.constData(), MNT_DETACH);
    }
    clsSmallDisk(const clsSmallDisk&) = delete;
    clsSmallDisk& operator=(const clsSmallDisk&) = delete;

    bool Mounted() const { return mounted; }

private:
    QByteArray path;
    bool mounted = false;
};
