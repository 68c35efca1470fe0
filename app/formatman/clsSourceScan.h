// Taking formats from C/C++ and VB source files, with the texts the format manager shows.
#pragma once

#include "clsFormats.h"

#include <QByteArray>
#include <QString>

#include <memory>

// Runs the C or VB scanner on a file and words the outcome the way the format manager
// reports it; the window only shows the texts and offers the formats.
class clsSourceScan
{
public:
    // The kinds of the format manager's source dialog.
    enum Kind : int { VBSource = 1, CSource = 2 };

    struct Result
    {
        // The detected formats in file order; empty after a read failure.
        std::unique_ptr<clsFormats> formats = std::make_unique<clsFormats>();
        // After a read failure the critical text (cause, "ファイルの読込に失敗しました。"
        // and the path); the scan then counts as nothing detected.
        QString szError;
        // With formats: the selection message; without: the information text.
        QString szMessage;
        // The caption of the information box when nothing was detected.
        QString szCaption;
        bool Found() const { return formats->Count() > 0; }
    };

    static Result Scan(Kind kind, const QString& szPath);
    // The registry file of every format, one after another (each starts with "REGEDIT4",
    // which the importer accepts between values).
    static QByteArray RegFileText(const clsFormats& formats);
    // The caption of the format manager's boxes.
    static QString Caption();
};
