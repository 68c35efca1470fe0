// A message service for tests: records every box and answers questions from a queue.
#pragma once

#include "clsMessenger.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// While it lives it is the program's message service. Boxes shown are recorded for the test
// to take; at the end, a box nobody took or an answer nobody used is a test failure. A
// strict instance (nothing expected) fails at the very box.
class clsScriptedMsgBox : public clsMessenger
{
public:
    struct Box
    {
        QString kind; // "Information", "Exclamation", "Critical", "Question", ...
        QString title;
        QString text;
    };

    explicit clsScriptedMsgBox(bool strict = false);
    ~clsScriptedMsgBox() override;
    clsScriptedMsgBox(const clsScriptedMsgBox&) = delete;
    clsScriptedMsgBox& operator=(const clsScriptedMsgBox&) = delete;

    // Answers (6 Yes, 7 No, 2 Cancel) for the next questions, in order.
    void QueueAnswer(int nAnswer) { answers.push_back(nAnswer); }
    // The boxes shown since the last call, oldest first.
    std::vector<Box> TakeShown();
    // The only box shown since the last call; a failure when there was not exactly one.
    Box TakeOne();

    void Information(const QString& strPrompt, const QString& strFormTitle) override;
    void Exclamation(const QString& strPrompt, const QString& strFormTitle) override;
    void Critical(const QString& strPrompt, const QString& strFormTitle) override;
    int Question(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionNega(const QString& strPrompt, const QString& strFormTitle) override;
    int QuestionEx(const QString& strPrompt, const QString& strFormTitle) override;

    // Runs while each box is up, as a user would look at the window behind it.
    std::function<void(const Box&)> onShow;

    // How the test framework in use records a failure.
    static void SetFailureHandler(std::function<void(const QString&)> handler);

private:
    void Record(const char* kind, const QString& strPrompt, const QString& strFormTitle);
    int Answer(const char* kind, const QString& strPrompt, const QString& strFormTitle);

    bool strict;
    clsMessenger* previous;
    std::vector<Box> shown;
    std::deque<int> answers;
};
