// The converter pairs that carry text between Shift-JIS and a file's character set.
#pragma once

class XString;

namespace skiff {

// A length function (bytes the converter writes, NUL included) and its converter.
struct ConvPair
{
    int (*fnLength)(const char* szSrc);
    int (*fnConvert)(const char* szSrc, char* szDst);

    explicit operator bool() const { return fnLength != nullptr; }
};

// From character set 2 JIS, 3 EUC-JP or 4 UTF-8 to Shift-JIS; empty for any other set.
ConvPair ToSjis(int lnCharSet);
// From Shift-JIS to character set 2, 3 or 4; empty for any other set.
ConvPair FromSjis(int lnCharSet);

// Converts szSrc into target, sized first by the length function.
void ConvertInto(const ConvPair& pair, const char* szSrc, XString& target);

} // namespace skiff
