// Reading the shared options of the batch commands.
#include "clsBatchOptions.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A code from 0 to lnMax, or nothing.
std::optional<int> Code(const QString& szText, int lnMax)
{
    bool ok = false;
    const int value = szText.toInt(&ok);
    if (!ok || value < 0 || value > lnMax)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<clsBatchOptions> clsBatchOptions::Parse(const QStringList& args, int lnPositional)
{
    clsBatchOptions parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == u"--continue"_s) {
            parsed.bContinue = true;
            continue;
        }
        if (!arg.startsWith(u"--"_s)) {
            parsed.positional.append(arg);
            continue;
        }
        if (i + 1 >= args.size())
            return std::nullopt;
        const QString value = args[++i];
        std::optional<int> code;
        if (arg == u"--to-format"_s)
            parsed.toFormat = value;
        else if (arg == u"--charset"_s && (code = Code(value, 4)))
            parsed.charSet = *code;
        else if (arg == u"--to-charset"_s && (code = Code(value, 4)))
            parsed.toCharSet = *code;
        else if (arg == u"--to-crlf"_s && (code = Code(value, 3)))
            parsed.toCRLF = *code;
        else
            return std::nullopt;
    }
    if (parsed.positional.size() != lnPositional)
        return std::nullopt;
    return parsed;
}
