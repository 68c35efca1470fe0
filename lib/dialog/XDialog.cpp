// The dialog state's defaults, its bounded copies and its filter list: plain C++, so that a
// fuzz target can drive it without a display.
#include "XDialog.h"

#include <cstring>

namespace {

bool IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

} // namespace

int SjisFit(const char* szText, int lnMaxBytes)
{
    int lnFit = 0;
    while (lnFit < lnMaxBytes && szText[lnFit] != '\0') {
        // A lead byte before the terminator is a truncated character: it still counts as one.
        const int lnStep =
            IsLeadByte(static_cast<unsigned char>(szText[lnFit])) && szText[lnFit + 1] != '\0' ? 2
                                                                                               : 1;
        if (lnFit + lnStep > lnMaxBytes)
            break;
        lnFit += lnStep;
    }
    return lnFit;
}

int NameFit(const char* szName, int lnMaxBytes)
{
#if defined(_WIN32)
    return SjisFit(szName, lnMaxBytes);
#else
    const int lnLength = static_cast<int>(strnlen(szName, static_cast<size_t>(lnMaxBytes) + 1));
    if (lnLength <= lnMaxBytes)
        return lnLength;
    // Back to the start of the character that the limit cuts: continuation bytes are 10xxxxxx.
    int lnFit = lnMaxBytes;
    while (lnFit > 0 && (static_cast<unsigned char>(szName[lnFit]) & 0xC0) == 0x80)
        --lnFit;
    return lnFit;
#endif
}

XDialog::XDialog()
{
    // "ファイルを開く" and "全てのファイル(*.*)|*.*||" in Shift-JIS.
    Store(szTitle, "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD");
    Store(szInitDir, "c:\\");
    StoreFilter("\x91\x53\x82\xC4\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B(*.*)|*.*||");
    lnFontSize = 9;
}

int XDialog::StoreText(char* pField, int lnCapacity, const char* szText)
{
    const int lnLength = SjisFit(szText, lnCapacity - 1);
    std::memcpy(pField, szText, static_cast<size_t>(lnLength));
    pField[lnLength] = '\0';
    return lnLength + 1;
}

int XDialog::StoreNameText(char* pField, int lnCapacity, const char* szName)
{
    const int lnLength = NameFit(szName, lnCapacity - 1);
    std::memcpy(pField, szName, static_cast<size_t>(lnLength));
    pField[lnLength] = '\0';
    return lnLength + 1;
}

void XDialog::StoreFilter(const char* szText)
{
    std::memset(szFilter, 0, sizeof(szFilter));
    // Two NULs must always follow the last pair.
    const int lnLength = SjisFit(szText, static_cast<int>(sizeof(szFilter)) - 2);
    for (int i = 0; i < lnLength; ++i) {
        const char byte = szText[i];
        // A trail byte may be 0x7C (ポ is 0x83 0x7C): only a single-byte bar separates.
        if (IsLeadByte(static_cast<unsigned char>(byte)) && i + 1 < lnLength) {
            szFilter[i] = byte;
            szFilter[i + 1] = szText[i + 1];
            ++i;
        } else {
            szFilter[i] = byte == '|' ? '\0' : byte;
        }
    }
}

std::vector<std::pair<std::string, std::string>> XDialog::FilterPairs() const
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const char* pEnd = szFilter + sizeof(szFilter);
    const char* p = szFilter;
    while (p < pEnd && *p != '\0') {
        std::string description(p);
        p += description.size() + 1;
        if (p >= pEnd || *p == '\0')
            break;
        std::string pattern(p);
        p += pattern.size() + 1;
        pairs.emplace_back(std::move(description), std::move(pattern));
    }
    return pairs;
}
