// A small assertion kit for the test programs: failures are printed and counted, never thrown.
#ifndef TESTS_CHECK_H
#define TESTS_CHECK_H

#include <stdio.h>
#include <string.h>

namespace check {
inline int& Failures()
{
    static int count;
    return count;
}

inline void Fail(const char* file, int line, const char* what, const char* detail)
{
    ++Failures();
    printf("FAIL %s:%d: %s %s\n", file, line, what, detail ? detail : "");
}

// Prints a text with bytes above 0x7E and control characters escaped, so a failure shows what differs.
inline const char* Visible(const char* text, char (&out)[4096])
{
    size_t n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p && n + 5 < sizeof out; ++p) {
        if (*p >= 0x20 && *p < 0x7F)
            out[n++] = static_cast<char>(*p);
        else
            n += static_cast<size_t>(snprintf(out + n, sizeof out - n, "\\x%02X", *p));
    }
    out[n] = '\0';
    return out;
}

inline void SameText(const char* file, int line, const char* what, const char* actual, const char* expected)
{
    if (strcmp(actual, expected) == 0)
        return;
    char a[4096], e[4096], detail[8300];
    snprintf(detail, sizeof detail, "\n    actual   \"%s\"\n    expected \"%s\"", Visible(actual, a), Visible(expected, e));
    Fail(file, line, what, detail);
}

inline int Finish(const char* name)
{
    printf("%s: %s (%d failure%s)\n", name, Failures() ? "FAILED" : "passed", Failures(), Failures() == 1 ? "" : "s");
    return Failures() ? 1 : 0;
}
}

#define CHECK(condition) \
    ((condition) ? (void)0 : check::Fail(__FILE__, __LINE__, #condition, 0))
#define CHECK_CASE(condition, caseName) \
    ((condition) ? (void)0 : check::Fail(__FILE__, __LINE__, #condition, caseName))
#define CHECK_TEXT(actual, expected) check::SameText(__FILE__, __LINE__, #actual, (actual), (expected))
#define CHECK_EQ(actual, expected)                                                               \
    do {                                                                                         \
        long long a_ = static_cast<long long>(actual), e_ = static_cast<long long>(expected);   \
        if (a_ != e_) {                                                                          \
            char d_[96];                                                                         \
            snprintf(d_, sizeof d_, "(actual %lld, expected %lld)", a_, e_);                     \
            check::Fail(__FILE__, __LINE__, #actual " == " #expected, d_);                       \
        }                                                                                        \
    } while (0)

#endif
