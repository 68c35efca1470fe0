// Application-wide look: Japanese Qt texts and a Japanese font.
#pragma once

class QApplication;
class QTranslator;

// Prepares a QApplication the way every window of the program expects it.
class clsUiSetup
{
public:
    // Loads Qt's Japanese translation (buttons はい/いいえ/キャンセル, dialog labels) and sets a
    // Japanese default font. Returns false when the translation could not be found.
    static bool Apply(QApplication& app);
};
