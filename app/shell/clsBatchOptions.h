// The options shared by the batch commands that read a document and write it elsewhere.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// "--charset N", "--to-format F", "--to-charset N", "--to-crlf N" and "--continue" around
// the positional arguments; codes below 1 mean the format's own.
struct clsBatchOptions
{
    QStringList positional;
    QString toFormat;
    int charSet = 0;
    int toCharSet = 0;
    int toCRLF = 0;
    bool bContinue = false;

    // Nothing when an option is unknown, lacks its value or its code is out of range, or
    // when there are not exactly lnPositional positional arguments.
    static std::optional<clsBatchOptions> Parse(const QStringList& args, int lnPositional);
};
