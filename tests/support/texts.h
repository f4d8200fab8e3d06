// What the programs show, where more than one test compares it: the captions of their message boxes,
// messages, and the removal page's closing texts, taken from the generated string tables. Test
// programs are compiled to code page 1251, the programs' own.
#ifndef TESTS_SUPPORT_TEXTS_H
#define TESTS_SUPPORT_TEXTS_H

#include "install_texts.h"
#include "uninstall_texts.h"

// Install.
using install_texts::CancelSetup;
using install_texts::ExtractFailed;
using install_texts::InstallDone;
using install_texts::NoSpace;
using install_texts::SetupCaption;

// Both programs.
using install_texts::AppRunning;

// unTikton, under names that stay clear of its program-wide state.
using uninstall_texts::OtherVersion;
using uninstall_texts::UninstallCaption;
const char* const RemovalHeading = uninstall_texts::RemovalDone;
const char* const NothingLeftResult = uninstall_texts::NothingLeft;

#endif
