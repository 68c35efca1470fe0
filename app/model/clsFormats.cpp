// Positions, insertion and removal in the format store.
#include "clsFormats.h"

#include "clsMessenger.h"

using namespace Qt::Literals::StringLiterals;

clsFormat* clsFormats::Format(int lnIndex) const
{
    if (lnIndex < 1 || lnIndex > Count()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormats"_s,
                            u"Prop_Get_Format"_s);
        return nullptr;
    }
    return formats[static_cast<size_t>(lnIndex - 1)].get();
}

int clsFormats::GetIndexByName(const QString& szName) const
{
    const QString name = szName.trimmed();
    for (size_t i = 0; i < formats.size(); ++i) {
        if (formats[i]->StructName == name)
            return static_cast<int>(i) + 1;
    }
    return -1;
}

clsFormat* clsFormats::Add(std::unique_ptr<clsFormat> cFormat, int lnIndex)
{
    if (!cFormat)
        cFormat = std::make_unique<clsFormat>();
    clsFormat* added = cFormat.get();
    if (lnIndex < 1 || lnIndex > Count() + 1)
        formats.push_back(std::move(cFormat));
    else
        formats.insert(formats.begin() + (lnIndex - 1), std::move(cFormat));
    return added;
}

void clsFormats::Delete(int lnIndex)
{
    if (lnIndex < 1 || lnIndex > Count()) {
        gMsgBox().ProcError(u"不正なインデックスが指定されました。"_s, 1, u"clsFormats"_s,
                            u"Delete"_s);
        return;
    }
    formats.erase(formats.begin() + (lnIndex - 1));
}

std::unique_ptr<clsFormats> clsFormats::Copy() const
{
    auto copy = std::make_unique<clsFormats>();
    for (const auto& format : formats)
        copy->Add(format->Copy(), 0);
    return copy;
}

clsFormats& gFormats()
{
    static clsFormats instance;
    return instance;
}
