// Reading and writing the data wizard's template files.
#include "clsDataTemplate.h"

#include "clsCodePage.h"
#include "clsFormat.h"
#include "clsFormats.h"
#include "clsOutputFile.h"

#include <QFile>
#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kItemFields = 7;

// A decimal whole number of the field, trimmed; false when it is none.
bool ReadNumber(const QString& szField, int& lnValue)
{
    bool ok = false;
    lnValue = szField.trimmed().toInt(&ok);
    return ok;
}

} // namespace

const QString clsDataTemplate::kRecordError = u"レコードのフォーマットが違います。"_s;
const QString clsDataTemplate::kMemberCountError =
    u"フォーマットのメンバ数が変更されています。ファイルを開けません。"_s;
const QString clsDataTemplate::kWriteError = u"書込みエラーです。"_s;

QString clsDataTemplate::FormatError(const QString& szStructName)
{
    return u"フォーマット["_s + szStructName + u"]が違います。ファイルを開けません。"_s;
}

QByteArray clsDataTemplate::Compose(const std::vector<clsDataWizItem>& aItems,
                                    const QString& szStructName)
{
    QString text = QString::number(aItems.size()) + u'\t' + szStructName + u"\r\n"_s;
    for (const clsDataWizItem& item : aItems) {
        const QStringList fields = {item.name,
                                    QString::number(item.digits),
                                    QString::number(item.type),
                                    QString::number(item.method),
                                    item.fixed,
                                    item.list,
                                    item.start};
        text += fields.join(u'\t') + u"\r\n"_s;
    }
    return clsCodePage::ToSjis(text);
}

QString clsDataTemplate::Parse(const QByteArray& bytes, std::vector<clsDataWizItem>& aItems)
{
    QStringList lines = clsCodePage::FromSjis(bytes).split(u'\n');
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    const QStringList head = lines.value(0).split(u'\t');
    int count = 0;
    if (head.size() != 2 || !ReadNumber(head.at(0), count) || count < 0)
        return kRecordError;
    const QString structName = head.at(1);
    const int index = gFormats().GetIndexByName(structName);
    if (index == -1)
        return FormatError(structName);
    if (gFormats().Format(index)->MemCount() != count)
        return kMemberCountError;
    if (lines.size() <= count)
        return kRecordError;
    std::vector<clsDataWizItem> items;
    for (int i = 1; i <= count; ++i) {
        const QStringList fields = lines.at(i).split(u'\t');
        if (fields.size() != kItemFields)
            return kRecordError;
        clsDataWizItem item;
        item.name = fields.at(0);
        if (!ReadNumber(fields.at(1), item.digits) || !ReadNumber(fields.at(2), item.type) ||
            !ReadNumber(fields.at(3), item.method) || item.method < clsDataWizItem::Random ||
            item.method > clsDataWizItem::FixedAndRunningNumber)
            return kRecordError;
        item.fixed = fields.at(4);
        item.list = fields.at(5);
        item.start = fields.at(6);
        items.push_back(item);
    }
    aItems = std::move(items);
    return {};
}

QString clsDataTemplate::Load(const QString& szPath, std::vector<clsDataWizItem>& aItems)
{
    QFile file(szPath);
    if (!file.open(QIODevice::ReadOnly))
        return kRecordError;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return kRecordError;
    return Parse(bytes, aItems);
}

QString clsDataTemplate::Save(const QString& szPath, const std::vector<clsDataWizItem>& aItems,
                              const QString& szStructName)
{
    const QByteArray bytes = Compose(aItems, szStructName);
    clsOutputFile file(szPath);
    if (!file.Open() || !file.WriteBytes(bytes.constData(), bytes.size()) || !file.Close())
        return kWriteError;
    return {};
}
