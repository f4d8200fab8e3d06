// What the programs show, word for word, where more than one test compares it: the captions of their
// message boxes, messages, and the removal page's closing texts. Test programs are compiled to code
// page 1251, the programs' own.
#ifndef TESTS_SUPPORT_TEXTS_H
#define TESTS_SUPPORT_TEXTS_H

// Install.
const char SetupCaption[] = "Установка Тиктона";
const char InstallDone[] = "Установка Тиктона успешно завершена.";
const char CancelSetup[] = "Тиктон еще не был установлен.\r\n\r\nПрервать установку?";
const char NoSpace[] =
    "На выбранном Вами диске недостаточно свободного места для установки программы.\r\n\r\n Или выбран "
    "несуществующий диск, съемный диск, CDROM или диск RAM. На диски этих типов нельзя установить программу.";
const char ExtractFailed[] = "Не удалось извлечь файлы из архива.  Возможно, что архив поврежден.";

// Both programs.
const char AppRunning[] = "Тиктон запущен.\r\n\r\nЗакрыть его?";

// unTikton.
const char UninstallCaption[] = "Удаление Тиктона";
const char OtherVersion[] = "Тиктон был установлен с использованием другой версии.\r\n\r\nПродолжение удаления невозможно.";
const char RemovalHeading[] = "Удаление Тиктона завершено.";
const char NothingLeftResult[] =
    "При удалении ошибок не обнаружено. Нажмите кнопку Закрыть для выхода из программы удаления.";

#endif
