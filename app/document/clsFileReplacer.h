// Replacing a file by a temporary file written beside it.
#pragma once

#include <QString>

// A temporary file in the target's folder that takes the target's place only when Commit
// is called: until then the target stays as it was, and a replacer that is never committed
// removes its temporary file. A symbolic link is followed, so the file it points to is
// replaced and the link stays.
class clsFileReplacer
{
public:
    explicit clsFileReplacer(const QString& szTarget);
    ~clsFileReplacer();
    clsFileReplacer(const clsFileReplacer&) = delete;
    clsFileReplacer& operator=(const clsFileReplacer&) = delete;

    // Creates the temporary file under a new ASCII name; false when that is impossible.
    bool Create();
    // The temporary file's path (empty before Create succeeded).
    QString TempPath() const { return tempPath; }
    // Gives the temporary file the target's permissions (a new target keeps the defaults)
    // and renames it over the target; false when it could not.
    bool Commit();
    // The system's description of the last failure.
    QString ErrorString() const { return error; }

private:
    QString target;
    QString tempPath;
    QString error;
    bool committed = false;
};
