// Checks on an installation folder before setup accepts it: its text, and the drive it names.
#ifndef INSTALL_FOLDER_CHECK_H
#define INSTALL_FOLDER_CHECK_H

#include "folder_rules.h"

// Starts at a drive's root, and that drive is no floppy, CD-ROM or RAM disk and has more than
// 1,000,000 bytes free.
bool IsDriveSuitable(const char* path);

#endif
