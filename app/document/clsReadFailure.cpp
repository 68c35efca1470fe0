// The messages for a data file that cannot be read at all.
#include "clsReadFailure.h"

#include "skiff.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

QString clsReadFailure::Text(const QString& szPath, int lnStatus, int lnCharSet)
{
    const QString szFile = QDir::toNativeSeparators(szPath);
    switch (lnStatus) {
    case SKIFF_STATUS_NOT_FOUND:
        return u"ファイル "_s + szFile + u" が見つかりません。"_s;
    case SKIFF_STATUS_NO_PERMISSION:
        return u"ファイル "_s + szFile + u" を読み込む権限がありません。"_s;
    case SKIFF_STATUS_TOO_LARGE:
        // Skiff's positions are 32-bit and its content needs a terminator.
        return u"ファイル "_s + szFile +
               u" は大きすぎて読み込めません。読み込めるのは 2 GiB 未満 (2147483646 バイトまで) "
               u"のファイルです。"_s;
    case SKIFF_STATUS_BAD_CHARSET:
        return u"ファイル "_s + szFile + u" の文字コード "_s + QString::number(lnCharSet) +
               u" は扱えません。扱えるのは 1 (Shift-JIS)、2 (JIS)、3 (EUC)、4 (UTF-8) です。"_s;
    case SKIFF_STATUS_NO_MEMORY:
        return u"ファイル "_s + szFile + u" を読み込むためのメモリが不足しています。"_s;
    case SKIFF_STATUS_NOT_REGULAR:
        return szFile + u" は通常のファイルではないため読み込めません。"_s;
    default:
        return u"ファイル "_s + szFile + u" を読み込めません。読み込み中にエラーが発生しました。"_s;
    }
}

QString clsReadFailure::LayoutTooLarge(const QString& szPath, qint64 nRecordSize, qint64 nBodySize)
{
    return u"ファイル "_s + QDir::toNativeSeparators(szPath) + u" のレコード長 "_s +
           QString::number(nRecordSize) + u" バイトがファイルの大きさ "_s +
           QString::number(nBodySize) +
           u" バイト (ヘッダを除く) を超えています。フォーマットを確認してください。"_s;
}
