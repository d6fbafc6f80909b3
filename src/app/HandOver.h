#pragma once
// What the main window does with the command line of a later start: it comes to the front
// and opens the file named, once no dialog of ours is waiting for an answer.

#include <QStringList>

namespace bv {

class SessionController;
class SingleInstance;
class TFPrincipal;

void FollowHandOvers(SingleInstance& instance, TFPrincipal& window, SessionController& sessions);

// One command line: raise the window, then open its first file, if it names one.
void ReceiveCommandLine(TFPrincipal& window, SessionController& sessions,
                        const QStringList& arguments);

}  // namespace bv
