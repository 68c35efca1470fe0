// The messages for a data file that cannot be read at all, each naming the file and the cause.
#pragma once

#include <QString>

// Texts for the failures found before any record is read; the record-format message stays for
// a record that does not fit its format.
class clsReadFailure
{
public:
    // A file Skiff could not open, by its status (a SkiffStatus); the character set is named
    // when it is the cause.
    static QString Text(const QString& szPath, int lnStatus, int lnCharSet);
    // A binary record layout longer than the file's records part: nothing is read or allocated.
    static QString LayoutTooLarge(const QString& szPath, qint64 nRecordSize, qint64 nBodySize);
};
