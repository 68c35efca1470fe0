// Japanese sentences for the errno values a file operation can end with.
#include "clsSystemError.h"

#include <cerrno>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

QString clsSystemError::Cause(int nErrno)
{
    switch (nErrno) {
    case ENOSPC:
        return u"ディスクの空き容量が不足しています。"_s;
    case EDQUOT:
        return u"ディスクの使用量の制限を超えました。"_s;
    case EFBIG:
        return u"ファイルの大きさの上限を超えました。"_s;
    case EACCES:
    case EPERM:
        return u"アクセスが許可されていません。"_s;
    case EROFS:
        return u"読み取り専用のファイルシステムです。"_s;
    case ENOENT:
        return u"ファイルまたはフォルダーが見つかりません。"_s;
    case ENOTDIR:
        return u"パスの途中にフォルダーでないものがあります。"_s;
    case EISDIR:
        return u"フォルダーです。"_s;
    case ENAMETOOLONG:
        return u"パスが長すぎます。"_s;
    case EIO:
        return u"入出力エラーが発生しました。"_s;
    case EPIPE:
        return u"パイプを読み出すプロセスが終了しました。"_s;
    case EMFILE:
    case ENFILE:
        return u"開いているファイルが多すぎます。"_s;
    case ENOMEM:
        return u"メモリが不足しています。"_s;
    default:
        return u"システムエラーが発生しました（エラー番号 "_s + QString::number(nErrno) + u": "_s +
               QString::fromLocal8Bit(std::strerror(nErrno)) + u"）。"_s;
    }
}
