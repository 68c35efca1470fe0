// The causes the operating system gives for a failed file operation, in the program's words.
#pragma once

#include <QString>

// Turns an errno value into one Japanese sentence naming the cause, for every message about a
// file the program could not write, replace or lock.
class clsSystemError
{
public:
    static QString Cause(int nErrno);
};
