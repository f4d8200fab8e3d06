// Drives unTikton from another process: a complete removal through its wizard, or its refusal at
// start-up. For the tests that need the real uninstaller after setup has done something to the machine.
#ifndef TESTS_UNINSTALL_REMOVER_H
#define TESTS_UNINSTALL_REMOVER_H

#include <string>

namespace remover {

// Starts the uninstaller, chooses to remove everything and closes it once the removal is done. True
// when nothing was left to list and it ended with 0; otherwise what it listed is printed.
bool RemoveAll(const std::string& uninstaller);

// Starts the uninstaller and answers the message it refuses with, leaving its text in `text`. True
// when it showed one and ended with 255, the code of a refusal at start-up.
bool Refuses(const std::string& uninstaller, std::string& text);

}  // namespace remover

#endif
