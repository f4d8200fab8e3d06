// The programs' message boxes, answered and compared.
#include "boxes.h"

#include "check.h"
#include "driver.h"
#include "texts.h"

void ExpectBox(const char* where, const char* caption, const std::string& text, int answer)
{
    std::string shown;
    if (!driver::AnswerMessageBox(caption, answer, &shown)) {
        check::Fail(where, 0, "no message box appeared; expected", text.c_str());
        return;
    }
    check::SameText(where, 0, "message box text", shown.c_str(), text.c_str());
}
