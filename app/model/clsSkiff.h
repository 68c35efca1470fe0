// The program's binding of the Skiff library: every export resolved by name on first call.
#pragma once

#include "skiff.h"

#include <QByteArray>
#include <QString>

#include <utility>

// Loads Skiff from beside the executable once and hands out export addresses.
class clsSkiff
{
public:
    // The library's path: the executable's folder and the platform's file name.
    static QString LibraryPath();
    // The export's address. A missing library or export is reported by name (a critical
    // box) and ends the program: nothing can be read or written without it.
    static void* Resolve(const char* szName);

    // File names cross into Skiff in the file system's own narrow encoding, not in Shift-JIS:
    // no Shift-JIS mapping carries every name a file system holds, and two mappings that
    // disagree would open another file. Every path the program hands to Skiff or takes from
    // its dialogs goes through these two.
    static QByteArray NativePath(const QString& szPath);
    static QString PathFromNative(const char* szPath);
};

// skiff::Name(args...) calls the export Name of the loaded library.
#define QUILLET_SKIFF_EXPORT(name)                                                               \
    template <typename... Args>                                                                  \
    inline auto name(Args&&... args)                                                             \
    {                                                                                            \
        static const auto function = reinterpret_cast<decltype(&::name)>(                        \
            clsSkiff::Resolve(#name));                                                           \
        return function(std::forward<Args>(args)...);                                            \
    }

namespace skiff {
QUILLET_SKIFF_EXPORT(ReadTxtIni)
QUILLET_SKIFF_EXPORT(Terminate)
QUILLET_SKIFF_EXPORT(WriteTxtIni)
QUILLET_SKIFF_EXPORT(GetTxtRowCnt)
QUILLET_SKIFF_EXPORT(GetTxtLine)
QUILLET_SKIFF_EXPORT(GetTxtLineLen)
QUILLET_SKIFF_EXPORT(GetTxtLineLoc)
QUILLET_SKIFF_EXPORT(GetTxtLineLocConv)
QUILLET_SKIFF_EXPORT(GetTxtColCnt)
QUILLET_SKIFF_EXPORT(GetTxtColLen)
QUILLET_SKIFF_EXPORT(GetTxtCol)
QUILLET_SKIFF_EXPORT(GetTxtCrLf)
QUILLET_SKIFF_EXPORT(GetConvErrCnt)
QUILLET_SKIFF_EXPORT(GetLastStatus)
QUILLET_SKIFF_EXPORT(GetTxtEsc)
QUILLET_SKIFF_EXPORT(GetTxtEscLen)
QUILLET_SKIFF_EXPORT(GetTxtRevEsc)
QUILLET_SKIFF_EXPORT(GetTxtRevEscLen)
QUILLET_SKIFF_EXPORT(ReadBinIni)
QUILLET_SKIFF_EXPORT(WriteBinIni)
QUILLET_SKIFF_EXPORT(ReadBinString)
QUILLET_SKIFF_EXPORT(ReadBinLong)
QUILLET_SKIFF_EXPORT(ReadBinShort)
QUILLET_SKIFF_EXPORT(ReadBinFloat)
QUILLET_SKIFF_EXPORT(ReadBinDouble)
QUILLET_SKIFF_EXPORT(WriteBinString)
QUILLET_SKIFF_EXPORT(WriteBinLong)
QUILLET_SKIFF_EXPORT(WriteBinShort)
QUILLET_SKIFF_EXPORT(WriteBinFloat)
QUILLET_SKIFF_EXPORT(WriteBinDouble)
QUILLET_SKIFF_EXPORT(GetEOF)
QUILLET_SKIFF_EXPORT(ReadBinConvStr)
QUILLET_SKIFF_EXPORT(WriteBinConvStr)
QUILLET_SKIFF_EXPORT(WriteTxtConvStr)
QUILLET_SKIFF_EXPORT(JIStoSJIS)
QUILLET_SKIFF_EXPORT(JIStoSJISLen)
QUILLET_SKIFF_EXPORT(SJIStoJIS)
QUILLET_SKIFF_EXPORT(SJIStoJISLen)
QUILLET_SKIFF_EXPORT(JIStoEUC)
QUILLET_SKIFF_EXPORT(JIStoEUCLen)
QUILLET_SKIFF_EXPORT(EUCtoJIS)
QUILLET_SKIFF_EXPORT(EUCtoJISLen)
QUILLET_SKIFF_EXPORT(SJIStoUNICODE)
QUILLET_SKIFF_EXPORT(SJIStoUNICODELen)
QUILLET_SKIFF_EXPORT(UNICODEtoSJIS)
QUILLET_SKIFF_EXPORT(UNICODEtoSJISLen)
QUILLET_SKIFF_EXPORT(SJIStoEUC)
QUILLET_SKIFF_EXPORT(SJIStoEUCLen)
QUILLET_SKIFF_EXPORT(EUCtoSJIS)
QUILLET_SKIFF_EXPORT(EUCtoSJISLen)
QUILLET_SKIFF_EXPORT(JIStoUNICODE)
QUILLET_SKIFF_EXPORT(JIStoUNICODELen)
QUILLET_SKIFF_EXPORT(EUCtoUNICODE)
QUILLET_SKIFF_EXPORT(EUCtoUNICODELen)
QUILLET_SKIFF_EXPORT(UNICODEtoJIS)
QUILLET_SKIFF_EXPORT(UNICODEtoJISLen)
QUILLET_SKIFF_EXPORT(UNICODEtoEUC)
QUILLET_SKIFF_EXPORT(UNICODEtoEUCLen)
QUILLET_SKIFF_EXPORT(DlgIniA)
QUILLET_SKIFF_EXPORT(DlgTerminateA)
QUILLET_SKIFF_EXPORT(SetTitleA)
QUILLET_SKIFF_EXPORT(SetInitDirA)
QUILLET_SKIFF_EXPORT(SetFileNameA)
QUILLET_SKIFF_EXPORT(GetFileNameA)
QUILLET_SKIFF_EXPORT(SetFilterA)
QUILLET_SKIFF_EXPORT(GetFilterIndexA)
QUILLET_SKIFF_EXPORT(SetDefExtA)
QUILLET_SKIFF_EXPORT(ShowOpenA)
QUILLET_SKIFF_EXPORT(ShowSaveA)
QUILLET_SKIFF_EXPORT(GetCharSetA)
QUILLET_SKIFF_EXPORT(GetCRLFA)
QUILLET_SKIFF_EXPORT(GetEscA)
QUILLET_SKIFF_EXPORT(SetEscA)
QUILLET_SKIFF_EXPORT(ShowFontA)
QUILLET_SKIFF_EXPORT(SetFontNameA)
QUILLET_SKIFF_EXPORT(GetFontNameA)
QUILLET_SKIFF_EXPORT(SetFontSizeA)
QUILLET_SKIFF_EXPORT(GetFontSizeA)
QUILLET_SKIFF_EXPORT(SetBoldA)
QUILLET_SKIFF_EXPORT(GetBoldA)
QUILLET_SKIFF_EXPORT(SetItalicA)
QUILLET_SKIFF_EXPORT(GetItalicA)
} // namespace skiff

#undef QUILLET_SKIFF_EXPORT
