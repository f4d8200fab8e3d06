// Shared steps of the installer's end-to-end tests.
#include "session.h"

#include "record.h"
#include "registry.h"

namespace session {

bool ReadPrograms(int argc, char** argv, TPrograms& programs)
{
    if (argc < 5) {
        printf("usage: %s Install.exe Tikton.exe stubborn_app.exe fake_uninstaller.exe [screenshot folder]\n",
               argv[0]);
        return false;
    }
    programs.install = argv[1];
    programs.kitFolder = programs.install.substr(0, programs.install.find_last_of('/'));
    programs.application = argv[2];
    programs.stubbornApp = argv[3];
    programs.fakeUninstaller = argv[4];
    programs.screenshots = argc > 5 ? argv[5] : "";
    return true;
}

void SetRecord(const char* installDir, DWORD versionType, DWORD version, const std::string& uninstaller)
{
    DeleteRegTree(HKEY_LOCAL_MACHINE, "Software\\Vantorel");
    DeleteRegTree(HKEY_LOCAL_MACHINE, UninstallKey);
    if (!uninstaller.empty())
        WriteRegStringAt(TString(uninstaller.c_str()), HKEY_LOCAL_MACHINE, UninstallKey, UninstallStringValue);
    if (!installDir)
        return;
    HKEY key = OpenRegKey(HKEY_LOCAL_MACHINE, ProductKey, true, false);
    RegSetValueExA(key, InstallDirValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(installDir),
                   static_cast<DWORD>(strlen(installDir) + 1));
    if (versionType == REG_DWORD)
        WriteRegDword(key, InstVersionValue, version);
    else if (versionType == REG_SZ)
        WriteRegString(TString("832"), key, InstVersionValue);
    RegCloseKey(key);
}

void ExpectBox(const char* where, const std::string& text, int answer)
{
    std::string shown;
    if (!driver::AnswerMessageBox(SetupCaption, answer, &shown)) {
        check::Fail(where, 0, "no message box appeared; expected", text.c_str());
        return;
    }
    check::SameText(where, 0, "message box text", shown.c_str(), text.c_str());
}

void CancelWizard(HWND sheet)
{
    driver::PressWizardButton(sheet, PSBTN_CANCEL);
    ExpectBox("cancel confirmation", "Тиктон еще не был установлен.\r\n\r\nПрервать установку?", IDYES);
}

}  // namespace session
