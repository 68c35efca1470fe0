// The data wizard's template files (".dwt"): per-member settings kept between runs.
#pragma once

#include "clsDataGenerator.h"

#include <QByteArray>
#include <QString>

#include <vector>

// A template is Shift-JIS text with CR LF line ends and TAB-separated fields: first the item
// count and the format's StructName, then per item its name, digits, type, method, fixed
// value, list and start. Reading checks it against the format store; every failure comes
// back as the message to show, an empty text means success.
class clsDataTemplate
{
public:
    static QByteArray Compose(const std::vector<clsDataWizItem>& aItems,
                              const QString& szStructName);
    // On success the items are replaced by the file's; otherwise they stay as they were.
    static QString Parse(const QByteArray& bytes, std::vector<clsDataWizItem>& aItems);

    static QString Load(const QString& szPath, std::vector<clsDataWizItem>& aItems);
    static QString Save(const QString& szPath, const std::vector<clsDataWizItem>& aItems,
                        const QString& szStructName);

    static const QString kRecordError;
    static const QString kMemberCountError;
    static const QString kWriteError;
    static QString FormatError(const QString& szStructName);
};
