// Files dropped on a window from outside the program.
#pragma once

#include <QStringList>

class QDragEnterEvent;
class QDropEvent;

// The drag-and-drop handling the main window and the document windows share.
class clsFileDrop
{
public:
    // Accepts a drag that carries URLs.
    static void Enter(QDragEnterEvent* event);
    // The local files a drop carries; the drop is accepted when there is one at least.
    static QStringList Files(QDropEvent* event);
};
