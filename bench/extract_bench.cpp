// Times ExtractCabinet against a bare SetupIterateCabinetA loop that writes the same files with no
// window and no message pumping, in one process on the same archive. Prints the medians of the
// rounds, in seconds (each round's figure the mean of its two runs of each): bare loop, ExtractCabinet,
// then the median of the rounds' own ratios of the two (a change of load between rounds touches both of
// a round alike), then the sizing pass and the progress window.
//   extract_bench CABINET OUT_FOLDER ROUNDS
#include <windows.h>
#include <setupapi.h>

#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

#include <commctrl.h>

#include "driver.h"
#include "resource.h"
#include "extract.h"
#include "screen.h"
#include "state.h"

namespace {
std::string Out;

UINT CALLBACK BareCallback(PVOID, UINT notification, UINT_PTR parameter, UINT_PTR)
{
    if (notification != SPFILENOTIFY_FILEINCABINET)
        return NO_ERROR;
    FILE_IN_CABINET_INFO_A& file = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(parameter);
    snprintf(file.FullTargetName, sizeof file.FullTargetName, "%s%s", Out.c_str(), file.NameInCabinet);
    return FILEOP_DOIT;
}

UINT CALLBACK SkipCallback(PVOID, UINT notification, UINT_PTR, UINT_PTR)
{
    return notification == SPFILENOTIFY_FILEINCABINET ? FILEOP_SKIP : NO_ERROR;
}

// Every measurement writes into an empty folder, as an installation does.
void EmptyOut()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((Out + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileA((Out + found.cFileName).c_str());
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

INT_PTR CALLBACK NoDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}
}

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const std::string cabinet = driver::WindowsPath(argv[1]);
    Out = driver::WindowsPath(argv[2]) + "\\";
    const int rounds = atoi(argv[3]);
    CreateDirectoryA(Out.c_str(), 0);
    Screen.Instance = GetModuleHandleA(0);
    UninstallerPath.Assign((Out + "unTikton.exe").c_str());
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    if (rounds < 1)
        return 2;
    std::vector<double> bare, extract, sizing, window;
    // A round runs the bare loop, ExtractCabinet, ExtractCabinet and the bare loop again, so that a disk
    // or cache trend and whatever the first run after another pays touch both alike; a round of each
    // before, not counted, loads and warms what both use.
    for (int round = -1; round < rounds; ++round) {
        double times[2] = {0, 0};
        for (int turn = 0; turn < (round < 0 ? 2 : 4); ++turn) {
            EmptyOut();
            TExtraction extraction;
            const bool ours = turn == 1 || turn == 2;
            QueryPerformanceCounter(&start);
            const bool ok = ours ? ExtractCabinet(0, cabinet.c_str(), TString(Out.c_str()), false, extraction)
                                 : SetupIterateCabinetA(cabinet.c_str(), 0, BareCallback, 0) != FALSE;
            QueryPerformanceCounter(&end);
            if (!ok)
                return 1;
            times[ours] += Seconds(start, end, frequency) / 2;
        }
        if (round < 0)
            continue;
        bare.push_back(times[0]);
        extract.push_back(times[1]);

        QueryPerformanceCounter(&start);
        SetupIterateCabinetA(cabinet.c_str(), 0, SkipCallback, 0);
        QueryPerformanceCounter(&end);
        sizing.push_back(Seconds(start, end, frequency));
    }
    // The fixed part: the copy progress window made and destroyed around an archive of nothing.
    for (int round = 0; round < rounds; ++round) {
        QueryPerformanceCounter(&start);
        InitCommonControls();
        HWND progress = CreateDialogParamA(Screen.Instance, MAKEINTRESOURCEA(IDD_COPY_PROGRESS), 0, NoDialog, 0);
        PumpMessages();
        DestroyWindow(progress);
        PumpMessages();
        QueryPerformanceCounter(&end);
        window.push_back(Seconds(start, end, frequency));
    }
    std::vector<double> ratios;
    for (size_t i = 0; i < bare.size(); ++i)
        ratios.push_back(extract[i] / bare[i]);
    printf("%.3f %.3f %.3f %.3f %.3f\n", Median(bare), Median(extract), Median(ratios), Median(sizing), Median(window));
    return 0;
}
