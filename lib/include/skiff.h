/* Skiff: the exported C interface of the record I/O and dialog library. */
#ifndef SKIFF_H
#define SKIFF_H

#if defined(_WIN32)
#define SKIFF_API __declspec(dllexport)
#else
#define SKIFF_API __attribute__((visibility("default")))
#endif

/* Every text is a NUL-terminated Shift-JIS byte string; sizes and positions count bytes.
   File names are the exception: they cross in the file system's own narrow encoding (the
   system code page on Windows, the name's own UTF-8 bytes on Linux), untouched both ways, in
   the file-name arguments of ReadTxtIni, WriteTxtIni, ReadBinIni and WriteBinIni and in the
   initial directory and file name of the dialog exports.
   Character sets: 1 Shift-JIS, 2 JIS, 3 EUC-JP, 4 UTF-8. Line ends: 1 CR LF, 2 CR, 3 LF.
   Text read from a file is Shift-JIS: a NUL byte and a lone lead byte at the end of a field
   become the geta mark, as do malformed and unassigned codes of a JIS, EUC-JP or UTF-8 file;
   each is counted (GetConvErrCnt). */

#ifdef __cplusplus
extern "C" {
#endif

/* Why the last ReadTxtIni, ReadBinIni or WriteBinIni returned -1 (GetLastStatus); each of
   them sets it, SKIFF_STATUS_OK on success. */
enum SkiffStatus {
    SKIFF_STATUS_OK = 0,
    SKIFF_STATUS_NOT_FOUND = 1,     /* no file of that name (or a folder of the path missing) */
    SKIFF_STATUS_NO_PERMISSION = 2, /* the file may not be opened for reading or writing */
    SKIFF_STATUS_TOO_LARGE = 3,     /* 2147483647 bytes (2 GiB - 1) or more: 32-bit positions */
    SKIFF_STATUS_BAD_CHARSET = 4,   /* a character set outside 1-4 */
    SKIFF_STATUS_NO_MEMORY = 5,     /* the file's content or its line table could not be held */
    SKIFF_STATUS_NOT_REGULAR = 6,   /* a folder, device or other file that is not read whole */
    SKIFF_STATUS_IO_ERROR = 7,      /* the system refused the open or the read for another cause */
    SKIFF_STATUS_BAD_ARGUMENT = 8   /* a null text */
};
SKIFF_API int GetLastStatus(void);

/* Text record reader */
SKIFF_API int ReadTxtIni(const char* szFile, const char* szDelimiter, const char* szQuote,
                         int lnCharSet, int lnCareQuote);
SKIFF_API void Terminate(void);
SKIFF_API int WriteTxtIni(const char* szFile);
SKIFF_API int GetTxtRowCnt(void);
/* GetTxtLineLen and GetTxtColLen count the bytes of the text as handed out, each NUL byte and
   lone lead byte already a two-byte geta mark: that length + 1 is always a buffer that
   GetTxtLine and GetTxtCol accept. A refused call (-1) leaves the buffer untouched. */
SKIFF_API int GetTxtLine(int lnRow, char* szBuffer, int lnBufferSize);
SKIFF_API int GetTxtLineLen(int lnRow);
SKIFF_API int GetTxtLineLoc(int lnRow, char* szBuffer, int lnStart, int lnCount);
/* GetTxtLineLocConv takes at most 2 * (bytes of the range) + 4 bytes in any character set. */
SKIFF_API int GetTxtLineLocConv(int lnRow, char* szBuffer, int lnStart, int lnCount,
                                int lnBufferSize, int lnCharSet);
SKIFF_API int GetTxtColCnt(int lnRow);
SKIFF_API int GetTxtColLen(int lnRow, int lnCol);
SKIFF_API int GetTxtCol(char* szBuffer, int lnBufferSize, int lnRow, int lnCol, int lnUnescape,
                        int lnStripQuotes);
SKIFF_API int GetTxtCrLf(void);
/* Characters replaced by the geta mark since the last ReadTxtIni, ReadBinIni or WriteBinIni. */
SKIFF_API int GetConvErrCnt(void);

/* Quote escaping */
SKIFF_API int GetTxtEsc(char* szBuffer, const char* szText, int lnBufferSize);
SKIFF_API int GetTxtEscLen(const char* szText);
SKIFF_API int GetTxtRevEsc(char* szBuffer, const char* szText, int lnBufferSize);
SKIFF_API int GetTxtRevEscLen(const char* szText);

/* Byte stream */
SKIFF_API int ReadBinIni(const char* szFile);
SKIFF_API int WriteBinIni(const char* szFile);
SKIFF_API int ReadBinString(void* pBuffer, int lnCount);
SKIFF_API int ReadBinLong(void* pBuffer, int lnCount);
SKIFF_API int ReadBinShort(void* pBuffer, int lnCount);
SKIFF_API int ReadBinFloat(void* pBuffer, int lnCount);
SKIFF_API int ReadBinDouble(void* pBuffer, int lnCount);
SKIFF_API int WriteBinString(const void* pBuffer, int lnCount);
SKIFF_API int WriteBinLong(const void* pBuffer, int lnCount);
SKIFF_API int WriteBinShort(const void* pBuffer, int lnCount);
SKIFF_API int WriteBinFloat(const void* pBuffer, int lnCount);
SKIFF_API int WriteBinDouble(const void* pBuffer, int lnCount);
SKIFF_API int GetEOF(void);
SKIFF_API int ReadBinConvStr(char* szBuffer, int lnCount, int lnCharSet);
SKIFF_API int WriteBinConvStr(const char* szText, int lnCount, int lnCharSet);
SKIFF_API int WriteTxtConvStr(const char* szText, int lnCharSet);

/* Code conversion: converters return the bytes written without the NUL,
   length functions the bytes the converter writes including the NUL. */
SKIFF_API int JIStoSJIS(const char* szSrc, char* szDst);
SKIFF_API int JIStoSJISLen(const char* szSrc);
SKIFF_API int SJIStoJIS(const char* szSrc, char* szDst);
SKIFF_API int SJIStoJISLen(const char* szSrc);
SKIFF_API int JIStoEUC(const char* szSrc, char* szDst);
SKIFF_API int JIStoEUCLen(const char* szSrc);
SKIFF_API int EUCtoJIS(const char* szSrc, char* szDst);
SKIFF_API int EUCtoJISLen(const char* szSrc);
SKIFF_API int SJIStoUNICODE(const char* szSrc, char* szDst);
SKIFF_API int SJIStoUNICODELen(const char* szSrc);
SKIFF_API int UNICODEtoSJIS(const char* szSrc, char* szDst);
SKIFF_API int UNICODEtoSJISLen(const char* szSrc);
SKIFF_API int SJIStoEUC(const char* szSrc, char* szDst);
SKIFF_API int SJIStoEUCLen(const char* szSrc);
SKIFF_API int EUCtoSJIS(const char* szSrc, char* szDst);
SKIFF_API int EUCtoSJISLen(const char* szSrc);
SKIFF_API int JIStoUNICODE(const char* szSrc, char* szDst);
SKIFF_API int JIStoUNICODELen(const char* szSrc);
SKIFF_API int EUCtoUNICODE(const char* szSrc, char* szDst);
SKIFF_API int EUCtoUNICODELen(const char* szSrc);
SKIFF_API int UNICODEtoJIS(const char* szSrc, char* szDst);
SKIFF_API int UNICODEtoJISLen(const char* szSrc);
SKIFF_API int UNICODEtoEUC(const char* szSrc, char* szDst);
SKIFF_API int UNICODEtoEUCLen(const char* szSrc);

/* Dialog services over one dialog state (DlgIniA creates it, DlgTerminateA releases it); without
   a state every call does nothing and returns 0, or -1 from GetFilterIndexA, GetCharSetA,
   GetCRLFA, GetEscA and GetFontSizeA. The owner is the owner QWidget (or null).
   Text fields and their capacities including the NUL: title 255, initial directory 1024, file
   name 1024, filter 1025, default extension 8, font name 256. A longer text is cut at a
   Shift-JIS character boundary; the setters return the bytes stored including the NUL.
   GetFileNameA and GetFontNameA take no size: the buffer must hold 1024 and 256 bytes, the
   most they copy including the NUL. */
SKIFF_API int DlgIniA(void);
SKIFF_API void DlgTerminateA(void);
SKIFF_API void SetTitleA(const char* szTitle);
SKIFF_API int SetInitDirA(const char* szDir);
SKIFF_API int SetFileNameA(const char* szFile);
SKIFF_API int GetFileNameA(char* szBuffer);
SKIFF_API void SetFilterA(const char* szFilter, int lnIndex);
SKIFF_API int GetFilterIndexA(void);
SKIFF_API void SetDefExtA(const char* szExt);
SKIFF_API int ShowOpenA(void* pOwner, int lnExtension, int lnShowEsc);
SKIFF_API int ShowSaveA(void* pOwner, int lnExtension, int lnShowEsc);
SKIFF_API int GetCharSetA(void);
SKIFF_API int GetCRLFA(void);
SKIFF_API int GetEscA(void);
SKIFF_API void SetEscA(int lnEsc);
SKIFF_API int ShowFontA(void* pOwner);
SKIFF_API int SetFontNameA(const char* szName);
SKIFF_API int GetFontNameA(char* szBuffer);
SKIFF_API void SetFontSizeA(int lnSize);
SKIFF_API int GetFontSizeA(void);
SKIFF_API void SetBoldA(int lnBold);
SKIFF_API int GetBoldA(void);
SKIFF_API void SetItalicA(int lnItalic);
SKIFF_API int GetItalicA(void);

#ifdef __cplusplus
}
#endif

#endif
