#pragma once
// What the main window does with the command line of a later start: it comes to the front
// and opens the file named, once no dialog of ours is waiting for an answer.

#include <QStringList>

class QWidget;

namespace bv {

class SessionController;
class SingleInstance;

void FollowHandOvers(SingleInstance& instance, QWidget& window, SessionController& sessions);

// One command line: raise the window, then open its first file, if it names one.
void ReceiveCommandLine(QWidget& window, SessionController& sessions, const QStringList& arguments);

}  // namespace bv
