// Checks on an installation folder before setup accepts it: its text, and the drive it names.
#ifndef INSTALL_FOLDER_CHECK_H
#define INSTALL_FOLDER_CHECK_H

// Starts at a drive's root (a letter, a colon, a backslash); no "\\", no ? * or ", no other colon.
bool IsValidInstallPath(const char* path);
// Starts at a drive's root, and that drive is no floppy, CD-ROM or RAM disk and has more than
// 1,000,000 bytes free.
bool IsDriveSuitable(const char* path);

#endif
