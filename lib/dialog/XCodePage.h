// Skiff's own conversion between Qt's texts and the Shift-JIS texts of the dialog exports.
#pragma once

#include <QByteArray>
#include <QString>

// The system code page (CP932) as the program uses it, so that titles, filters and font
// names cross the interface unchanged; file names cross in the file system's encoding.
class XCodePage
{
public:
    // Characters without a CP932 code become the geta mark 〓.
    static QByteArray ToSjis(const QString& szText);
    static QString FromSjis(const char* szText);
};
