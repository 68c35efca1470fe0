// The dialog state kept between the dialog exports, and the bounded Shift-JIS copies into it.
#pragma once

#include <string>
#include <utility>
#include <vector>

// What the program set and what the user last confirmed, as NUL-terminated Shift-JIS texts;
// the initial directory and the file name are in the file system's own narrow encoding.
struct XDialog
{
    char szTitle[255] = {};
    char szInitDir[1024] = {};
    char szFile[1024] = {};
    // Description and pattern pairs, each NUL-terminated, the list ending in an empty text.
    char szFilter[1025] = {};
    int lnFilterIndex = 0;
    char szDefExt[8] = {};
    int lnCharSet = 0;
    int lnCRLF = 0;
    int lnEsc = 0;
    char szFontName[256] = {};
    int lnFontSize = 0;
    int lnBold = 0;
    int lnItalic = 0;

    // The state right after DlgIniA.
    XDialog();

    // Copies szText into a field of lnCapacity bytes, cut at a character boundary so the
    // field always ends in NUL. Returns the bytes stored including the NUL.
    template <int lnCapacity> static int Store(char (&field)[lnCapacity], const char* szText)
    {
        return StoreText(field, lnCapacity, szText);
    }
    static int StoreText(char* pField, int lnCapacity, const char* szText);
    // The same for a file name, cut at a character boundary of the file system's encoding.
    template <int lnCapacity> static int StoreName(char (&field)[lnCapacity], const char* szName)
    {
        return StoreNameText(field, lnCapacity, szName);
    }
    static int StoreNameText(char* pField, int lnCapacity, const char* szName);

    // Stores "desc|pattern|desc|pattern||" with the bars turned into NUL.
    void StoreFilter(const char* szText);
    // The stored filter as (description, pattern) pairs; a description without a pattern
    // ends the list.
    std::vector<std::pair<std::string, std::string>> FilterPairs() const;
};

// The extended dialog's choices, shared between one show call and the dialog it runs.
struct XDialogExt
{
    int lnCharSet = 0;
    int lnCRLF = 0;
    int lnEsc = 0;
    int lnShowEsc = 0;
};

// The byte count of the longest prefix of szText within lnMaxBytes that ends on a Shift-JIS
// character boundary.
int SjisFit(const char* szText, int lnMaxBytes);
// The same for a file name in the file system's encoding (UTF-8 but on Windows).
int NameFit(const char* szName, int lnMaxBytes);
