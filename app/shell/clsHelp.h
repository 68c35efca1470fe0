// Where the help page lies and how it is opened.
#pragma once

#include <QString>

// The help page "help.html" beside the program, opened in the desktop's browser.
class clsHelp
{
public:
    // The page in the program's folder.
    static QString Path();
    // Hands the page to the desktop without waiting for the browser; false when it is missing
    // or nothing could take it.
    static bool Open();
};
