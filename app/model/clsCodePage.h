// The system code page: conversion between QString and Shift-JIS bytes (CP932).
#pragma once

#include <QByteArray>
#include <QString>

// Everything the program hands to Skiff or measures in bytes goes through here.
class clsCodePage
{
public:
    // Characters without a CP932 code become the geta mark 〓 (0x81 0xAC).
    static QByteArray ToSjis(const QString& szText);
    static QString FromSjis(const char* pBytes, qsizetype nLength);
    static QString FromSjis(const QByteArray& bytes) { return FromSjis(bytes.constData(), bytes.size()); }
    // Length of the text in Shift-JIS bytes.
    static int SjisLength(const QString& szText);
};
