// Console messages: each box becomes a line (or lines) on standard error.
#include "clsConsoleMessenger.h"

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

void clsConsoleMessenger::Print(const QString& strPrompt, const QString& strFormTitle)
{
    QString text = strPrompt;
    text.replace(u"\r\n"_s, u"\n"_s);
    const QByteArray line = (strFormTitle + u": "_s + text + u'\n').toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

int clsConsoleMessenger::Answer(int nDefault, const QString& strPrompt,
                                const QString& strFormTitle)
{
    Print(strPrompt, strFormTitle);
    return nFixedAnswer != 0 ? nFixedAnswer : nDefault;
}

void clsConsoleMessenger::Information(const QString& strPrompt, const QString& strFormTitle)
{
    Print(strPrompt, strFormTitle);
}

void clsConsoleMessenger::Exclamation(const QString& strPrompt, const QString& strFormTitle)
{
    Print(strPrompt, strFormTitle);
}

void clsConsoleMessenger::Critical(const QString& strPrompt, const QString& strFormTitle)
{
    Print(strPrompt, strFormTitle);
}

int clsConsoleMessenger::Question(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer(Yes, strPrompt, strFormTitle);
}

int clsConsoleMessenger::QuestionNega(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer(No, strPrompt, strFormTitle);
}

int clsConsoleMessenger::QuestionEx(const QString& strPrompt, const QString& strFormTitle)
{
    return Answer(Yes, strPrompt, strFormTitle);
}
