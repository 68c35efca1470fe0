// A small memory file system for tests that need a disk which fills up.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <algorithm>
#include <sys/mount.h>

// Mounts a tmpfs of the given size on a folder while it lives. Mounting needs privileges a
// test may not have: Mounted() tells, and the test skips what needs the mount.
class clsTmpfsMount
{
public:
    clsTmpfsMount(const QString& szFolder, int nKiloBytes) : szPath(szFolder)
    {
        QDir().mkpath(szPath);
        const QByteArray options = "size=" + QByteArray::number(nKiloBytes) + "k";
        bMounted = ::mount("tmpfs", QFile::encodeName(szPath).constData(), "tmpfs", 0,
                           options.constData()) == 0;
    }
    ~clsTmpfsMount()
    {
        if (bMounted)
            ::umount2(QFile::encodeName(szPath).constData(), MNT_DETACH);
    }
    clsTmpfsMount(const clsTmpfsMount&) = delete;
    clsTmpfsMount& operator=(const clsTmpfsMount&) = delete;

    bool Mounted() const { return bMounted; }
    QString Path() const { return szPath; }

    // Makes the file system read-only from now on.
    bool MakeReadOnly() const
    {
        return ::mount("tmpfs", QFile::encodeName(szPath).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    // Writes a filler file until the file system refuses another byte, then gives back
    // nFreeKiloBytes: a write of more then gets part of its data to disk before it fails.
    void Fill(int nFreeKiloBytes) const
    {
        QFile filler(szPath + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
        filler.resize(std::max<qint64>(0, filler.size() - qint64(nFreeKiloBytes) * 1024));
    }

private:
    QString szPath;
    bool bMounted = false;
};
