// The program-wide option values and their keys in the settings store.
#pragma once

#include <QString>

#include <array>

class clsSettingsStore;

// A fixed row of single-digit option flags, numbered from 1 like their digits in the store.
template <int N> class clsOptionFlags
{
public:
    static constexpr int Count = N;
    // Flag k, 1..N; any other k throws std::out_of_range.
    int& operator[](int k) { return values.at(static_cast<size_t>(k - 1)); }
    int operator[](int k) const { return values.at(static_cast<size_t>(k - 1)); }

private:
    std::array<int, N> values{};
};

// Header lines of the grid: 1 column number, 2 width, 3 data type, 4 member name, 5 comment.
extern clsOptionFlags<5> gHeaderFlags;
// 1: input limited to the member's width; 2: column width 0 none, 1 by header, 2 remembered;
// 3: line breaks may be typed into cells.
extern clsOptionFlags<3> gEditFlags;
// Viewers started by the view-source command for text and for binary formats.
extern QString gTextPath;
extern QString gBinPath;
// The grid's font; bold and italic apply to its header.
extern QString gFontName;
extern int gFontSize;
extern bool gFontBold;
extern bool gFontItalic;

// Reads and writes the option values (section "Option").
class clsOptions
{
public:
    // The values before anything is read: flags 0, texts empty, size 0, not bold or italic.
    static void Reset();
    // Reads "Header", "Edit", "TextPath", "BinPath" and "Font", in this order, filling in
    // the defaults for missing or ill-sized values. False at the first malformed value;
    // the options read before it keep their new values, the rest their old ones.
    static bool Load(const clsSettingsStore& store);
    // Writes the five keys; failures show in the store's LastError.
    static bool Save(clsSettingsStore& store);
    // The system's plain-text editor, the viewers' default.
    static QString DefaultViewer();
};
