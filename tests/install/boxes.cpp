// A thread that answers the installer's message boxes.
#include "boxes.h"

#include "driver.h"

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
        if (driver::AnswerMessageBox("Установка Тиктона", IDOK, &text, 50))
            answerer.texts.push_back(text);
    }
    return 0;
}
