// Checks on an installation folder before setup accepts it: its text, and the drive it names.
#ifndef INSTALL_FOLDER_CHECK_H
#define INSTALL_FOLDER_CHECK_H

// No leading backslash, no "\\", no ? * or ", and a colon only as the second character.
bool IsValidInstallPath(const char* path);
// The drive is no floppy, CD-ROM or RAM disk and has more than 1,000,000 bytes free.
bool IsDriveSuitable(const char* path);

#endif
