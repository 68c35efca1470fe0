// Messages on standard error, for runs without windows.
#pragma once

#include "clsMessenger.h"

// Writes every notice to standard error and answers each question with its default button,
// unless a fixed answer for questions has been set.
class clsConsoleMessenger : public clsMessenger
{
public:
    void Information(const QString& strPrompt, const QString& strFormTitle) override;
    void Exclamation(const QString& strPrompt, const QString& strFormTitle) override;
    void Critical(const QString& strPrompt, const QString& strFormTitle) override;
    int Question(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionNega(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionEx(const QString& strPrompt, const QString& strFormTitle) override;

    // Every later question is answered with this code (0 restores the default buttons).
    void SetAnswer(int nAnswer) { nFixedAnswer = nAnswer; }

private:
    void Print(const QString& strPrompt, const QString& strFormTitle);
    int Answer(int nDefault, const QString& strPrompt, const QString& strFormTitle);

    int nFixedAnswer = 0;
};
