// The programs' message boxes, answered and compared.
#include "boxes.h"

#include "check.h"
#include "driver.h"
#include "texts.h"

TBoxAnswerer::TBoxAnswerer() : stopping(false), thread(CreateThread(0, 0, Run, this, 0, 0)) {}

TBoxAnswerer::~TBoxAnswerer() { Stop(); }

std::vector<std::string> TBoxAnswerer::Stop()
{
    if (thread) {
        stopping = true;
        WaitForSingleObject(thread, driver::DefaultTimeout);
        CloseHandle(thread);
        thread = 0;
    }
    return texts;
}

DWORD WINAPI TBoxAnswerer::Run(void* self)
{
    TBoxAnswerer& answerer = *static_cast<TBoxAnswerer*>(self);
    while (!answerer.stopping) {
        std::string text;
        if (driver::AnswerMessageBox(SetupCaption, IDOK, &text, 50))
            answerer.texts.push_back(text);
    }
    return 0;
}

void ExpectBox(const char* where, const char* caption, const std::string& text, int answer)
{
    std::string shown;
    if (!driver::AnswerMessageBox(caption, answer, &shown)) {
        check::Fail(where, 0, "no message box appeared; expected", text.c_str());
        return;
    }
    check::SameText(where, 0, "message box text", shown.c_str(), text.c_str());
}
