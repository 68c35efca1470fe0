// CP932 conversion through ICU's windows-31j converter.
#include "clsCodePage.h"

#include <unicode/ucnv.h>

#include <memory>

namespace {

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// One converter per thread: ICU converters carry state and are not shareable.
UConverter* Converter()
{
    thread_local std::unique_ptr<UConverter, ConverterCloser> converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterCloser> opened(ucnv_open("windows-31j", &status));
        if (U_SUCCESS(status)) {
            const char geta[] = "\x81\xAC";
            ucnv_setSubstChars(opened.get(), geta, 2, &status);
        }
        return opened;
    }();
    return converter.get();
}

} // namespace

QByteArray clsCodePage::ToSjis(const QString& szText)
{
    if (szText.isEmpty())
        return {};
    UConverter* converter = Converter();
    ucnv_resetFromUnicode(converter);
    // Each UTF-16 unit becomes at most two bytes.
    QByteArray bytes(szText.size() * 2, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_fromUChars(converter, bytes.data(), static_cast<int32_t>(bytes.size()),
                        reinterpret_cast<const UChar*>(szText.utf16()),
                        static_cast<int32_t>(szText.size()), &status);
    bytes.resize(U_SUCCESS(status) ? length : 0);
    return bytes;
}

QString clsCodePage::FromSjis(const char* pBytes, qsizetype nLength)
{
    if (nLength <= 0)
        return {};
    UConverter* converter = Converter();
    ucnv_resetToUnicode(converter);
    // Each byte becomes at most one UTF-16 unit.
    QString text(nLength, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()),
                                         static_cast<int32_t>(text.size()), pBytes,
                                         static_cast<int32_t>(nLength), &status);
    text.resize(U_SUCCESS(status) ? length : 0);
    return text;
}

int clsCodePage::SjisLength(const QString& szText)
{
    return static_cast<int>(ToSjis(szText).size());
}
