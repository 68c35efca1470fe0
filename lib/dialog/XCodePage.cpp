// CP932 conversion for the dialog exports through ICU's windows-31j converter.
#include "XCodePage.h"

#include <unicode/ucnv.h>

#include <cstring>
#include <memory>

namespace {

struct ConverterCloser
{
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// ICU converters carry state: one per thread.
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

QByteArray XCodePage::ToSjis(const QString& szText)
{
    UConverter* converter = Converter();
    if (szText.isEmpty() || converter == nullptr)
        return {};
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

QString XCodePage::FromSjis(const char* szText)
{
    const auto length = static_cast<int32_t>(std::strlen(szText));
    UConverter* converter = Converter();
    if (length == 0 || converter == nullptr)
        return {};
    ucnv_resetToUnicode(converter);
    // Each byte becomes at most one UTF-16 unit.
    QString text(length, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_toUChars(converter, reinterpret_cast<UChar*>(text.data()),
                      static_cast<int32_t>(text.size()), szText, length, &status);
    text.resize(U_SUCCESS(status) ? written : 0);
    return text;
}
