// The words every first page in the side-by-side run opens with: ours from Install's template, the
// NSIS installers' written to match by bench/make-nsis, and the blank page's, the platform's floor.
#ifndef BENCH_WELCOME_H
#define BENCH_WELCOME_H

const char WelcomeOpening[] = "Добро пожаловать в программу установки Тиктона.";

#endif
