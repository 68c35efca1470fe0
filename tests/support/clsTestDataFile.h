// Data files for window tests, which have no GoogleTest assertions to fail with.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Writes the bytes as szName in dir and answers the path; a file that cannot be written ends
// the test run.
inline QString WriteTestFile(const QTemporaryDir& dir, const QString& szName,
                             const QByteArray& bytes)
{
    const QString path = dir.filePath(szName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test data");
    return path;
}
