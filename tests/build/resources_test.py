#!/usr/bin/python3
"""Reads the string tables and dialog templates back out of the built programs and compares every
text, identifier, caption, size and position with the tables below; reads back the manifest too.
    resources_test.py Install.exe unTikton.exe"""
import re
import sys
from xml.etree import ElementTree

from pe_resources import RT_MANIFEST, Resources

PAGE_STYLE = 0x90C80044  # WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_3DLOOK
FONT = (8, "MS Sans Serif")
WS_VISIBLE, WS_DISABLED = 0x10000000, 0x08000000
SIDE = (101, "STATIC", (0, 0, 80, 140), "")
COPY = "Сообщает о наступлении определенного момента времени."

INSTALL_STRINGS = {
    101: "Установка Тиктона", 102: "Тиктон",
    104: "Не удалось открыть раздел реестра для сохранения параметров установки.",
    105: "Не удалось создать папку для установки программы.",
    106: "Внимание!!! Изменение данных в этом разделе может сделать невозможным удаление Тиктона.",
    107: "Установка Тиктона успешно завершена.",
    108: "Тиктон запущен.\r\n\r\nЗакрыть его?",
    109: "На этот компьютер установлена более старая версия Тиктона. Рекомендуется удалить ее перед "
         "продолжением установки.\r\n\r\nЗапустить программу удаления?",
    110: "На этот компьютер уже установлена более новая версия Тиктона.",
    111: "Не удалось напрямую запустить программу удаления Тиктона.\r\n\r\nПосле нажатия OK будет запущено "
         "приложение Панели управления Установка и удаление программ.",
    112: "Вы не являетесь членом группы Администраторы. Установку следует производить, используя учетную "
         "запись с правами Администратора.\r\n\r\nПродолжение установки невозможно.",
    200: "Тиктон", 300: "Тиктон.lnk", 301: COPY,
    500: "Не удалось извлечь файлы из архива.  Возможно, что архив поврежден.",
    1000: "Выберите папку для установки программы", 1001: "\\Тиктон",
    1003: "На выбранном Вами диске недостаточно свободного места для установки программы.\r\n\r\n Или "
          "выбран несуществующий диск, съемный диск, CDROM или диск RAM. На диски этих типов нельзя "
          "установить программу.",
    1005: "Тиктон еще не был установлен.\r\n\r\nПрервать установку?",
    1006: "Введенная Вами папка не является допустимым путем.",
    2000: "&Переустановить (только Администраторы)", 2001: "&Удалить Тиктон (только Администраторы)",
}

UNINSTALL_STRINGS = {
    100: "Удаление Тиктона", 101: "Тиктон", 103: "Times New Roman", 104: "Times New Roman",
    106: "TTiktonForm", 107: "Тиктон неверно установлен. Его удаление невозможно.",
    108: "Тиктон не установлен на данный компьютер или его установка повреждена.\n\nУдаление Тиктона невозможно.",
    110: "Тиктон запущен.\r\n\r\nЗакрыть его?",
    111: "Произошла ошибка при извлечении программы DeleteMe.com из ресурсов, поэтому следует вручную "
         "удалить исполнимый модуль программы удаления:\r\n",
    112: "Не удалось создать файл для записи программы DeleteMe.com, поэтому следует вручную удалить "
         "исполнимый модуль программы удаления:\r\n",
    113: "Тиктон был установлен с использованием другой версии.\r\n\r\nПродолжение удаления невозможно.",
    114: "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Tikton.exe",
    115: "Диск, на котором установлен Тиктон, недоступен. Подключите его и снова запустите программу удаления."
         "\r\n\r\nПродолжение удаления невозможно. Папка программы:\r\n",
    200: "Software\\Vantorel\\Тиктон", 202: "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
    204: "Software\\Vantorel", 206: "Тиктон", 208: "Тиктон", 302: "Закрыть", 304: "Тиктон.lnk",
    305: "Tikton.hlp\0", 306: "Tikton.exe\0Tikton.hlp\0Tikton.cnt\0Tikton.gid\0Tikton.fts\0Tikton.ftg\0",
    311: "Удаление Тиктона завершено.",
    312: "При удалении ошибок не обнаружено. Нажмите кнопку Закрыть для выхода из программы удаления.",
    315: "&Удалить все файлы (только Администраторы)", 316: "Tikton.exe", 317: COPY,
}

SHORTCUT_BOXES = [
    (107, "BUTTON", (92, 0, 180, 46), "Общие значки"),
    (109, "BUTTON", (96, 10, 136, 10), "П&оместить значок на Рабочий стол"),
    (110, "BUTTON", (96, 22, 152, 10), "По&местить значок в меню Программы"),
    (111, "BUTTON", (96, 34, 124, 10), "Пом&естить значок в меню &Пуск"),
    (102, "BUTTON", (92, 50, 180, 58), "Значки пользователя"),
    (103, "BUTTON", (96, 60, 136, 10), "Поместить значок на Рабочий &стол"),
    (104, "BUTTON", (96, 72, 152, 10), "Поместить значок в меню П&рограммы"),
    (105, "BUTTON", (96, 84, 124, 10), "Поместить значок в меню &Пуск"),
    (106, "BUTTON", (96, 96, 172, 10), "Поместить значок на панель &Быстрый запуск"),
]

INSTALL_DIALOGS = {
    2: ("Выбор папки", [SIDE,
        (-1, "STATIC", (92, 0, 182, 76), "Тиктон будет установлен в следующую папку.\r\n\r\nЧтобы установить "
         "программу в эту папку, просто нажмите кнопку Далее.\r\n\r\nДля установки в другую папку введите ее имя "
         "или воспользуйтесь кнопкой Обзор для выбора папки."),
        (-1, "STATIC", (92, 116, 120, 8), "&Папка для установки программы:"),
        (102, "EDIT", (92, 127, 132, 12), "C:\\Program Files\\Тиктон"),
        (103, "BUTTON", (226, 126, 50, 14), "&Обзор...")]),
    3: ("Интерфейс", [SIDE] + SHORTCUT_BOXES),
    4: ("Выбор действия", [SIDE,
        (-1, "STATIC", (92, 0, 182, 60), "Тиктон уже установлен на данном компьютере.\r\n\r\nДля удаления или "
         "изменения параметров интерфейса пользуйтесь значком Установка и удаление программ в Панели "
         "управления.\r\n\r\nВыберите одно из следующих действий:"),
        (103, "BUTTON", (92, 60, 132, 12), "&Изменить параметры интерфейса"),
        (106, "STATIC", (104, 72, 172, 16), "Позволяет создать новые значки, удалить значки или восстановить "
         "измененные значки."),
        (104, "BUTTON", (92, 116, 180, 12), "&Удалить Тиктон"),
        (107, "STATIC", (104, 128, 168, 8), "Позволяет удалить Тиктон с компьютера."),
        (102, "BUTTON", (92, 88, 164, 12), "&Переустановить"),
        (108, "STATIC", (104, 99, 168, 17), "Позволяет переустановить все файлы программы.")]),
}

UNINSTALL_DIALOGS = {
    1: ("Добро пожаловать", [SIDE,
        (-1, "STATIC", (92, 0, 182, 140), "Добро пожаловать в программу удаления Тиктона. Эта программа поможет "
         "Вам изменить, создать и/или удалить значки для запуска Тиктона или же полностью удалить Тиктон с "
         "Вашего компьютера.\r\n\r\nДля продолжения нажмите кнопку Далее.")]),
    2: ("Выбор действия", [SIDE,
        (-1, "STATIC", (92, 0, 182, 20), "Выберите одно из следующих действий:"),
        (102, "BUTTON", (92, 20, 136, 12), "&Изменить параметры интерфейса"),
        (103, "STATIC", (104, 32, 172, 28), "Позволяет создать новые или удалить ненужные значки для запуска "
         "Тиктона. При этом файлы программы остаются без изменений."),
        (104, "BUTTON", (92, 60, 184, 12), "&Удалить все файлы"),
        (105, "STATIC", (104, 72, 172, 40), "Позволяет удалить все файлы программы. При этом будут удалены и "
         "значки, использовавшиеся для запуска Тиктона."),
        (-1, "STATIC", (92, 120, 184, 16), "Чтобы восстановить поврежденные файлы Тиктона, используйте "
         "программу установки.")]),
    3: ("Удаление файлов", [SIDE,
        (111, "STATIC", (92, 4, 180, 16), "Идет удаление программы.\r\nПожалуйста, подождите..."),
        (108, "STATIC", (128, 34, 12, 12), ""), (109, "STATIC", (144, 36, 88, 8), "Записи в реестре"),
        (104, "STATIC", (128, 50, 12, 12), ""), (105, "STATIC", (144, 52, 96, 8), "Файлы программы"),
        (106, "STATIC", (128, 66, 12, 12), ""), (107, "STATIC", (144, 68, 92, 8), "Подкаталог программы"),
        (110, "STATIC", (92, 100, 184, 32), "Некоторые элементы не удалось удалить. Нажмите кнопку Далее, чтобы "
         "просмотреть список неудаленных элементов.")]),
    4: ("Список неудаленных элементов", [SIDE,
        (-1, "STATIC", (92, 0, 182, 28), "Следующие файлы или папки программа удаления не смогла удалить. Их "
         "следует удалить вручную."),
        (-1, "STATIC", (92, 31, 60, 8), "&Список элементов:"),
        (102, "LISTBOX", (92, 40, 184, 52), ""),
        (-1, "STATIC", (92, 100, 68, 8), "Описание ошибки:"),
        (103, "STATIC", (92, 112, 184, 28), "")]),
    5: ("Интерфейс", [SIDE] + SHORTCUT_BOXES),
}

# Controls that start hidden or disabled, by dialog; every other control of every dialog starts visible
# and enabled. The resource compiler makes a control visible unless its template says otherwise.
INSTALL_STATES = {3: [(104, "disabled"), (106, "disabled")]}
UNINSTALL_STATES = {3: [(110, "hidden")], 5: [(106, "disabled")]}

failures = checks = 0


def expect(what, actual, expected):
    global failures, checks
    checks += 1
    if actual != expected:
        failures += 1
        print(f"FAIL {what}:\n    actual   {actual!r}\n    expected {expected!r}")


def state(style):
    return "hidden" if not style & WS_VISIBLE else "disabled" if style & WS_DISABLED else "shown"


def check_program(path, strings, dialogs, states):
    resources = Resources(path)
    table = resources.strings()
    for number, words in strings.items():
        expect(f"{path} string {number}", table.get(number), words)
    found = resources.dialogs()
    for number, (caption, controls) in dialogs.items():
        dialog = found.get(number)
        expect(f"{path} dialog {number} present", dialog is not None, True)
        if not dialog:
            continue
        expect(f"{path} dialog {number} caption", dialog["caption"], caption)
        expect(f"{path} dialog {number} size", dialog["size"], (276, 140))
        expect(f"{path} dialog {number} style", hex(dialog["style"]), hex(PAGE_STYLE))
        expect(f"{path} dialog {number} font", dialog["font"], FONT)
        actual = [(c["id"], str(c["class"]).upper(), c["rect"], c["text"]) for c in dialog["controls"]]
        expect(f"{path} dialog {number} controls", actual, controls)
    for number, dialog in found.items():
        actual = [(c["id"], state(c["style"])) for c in dialog["controls"] if state(c["style"]) != "shown"]
        expect(f"{path} dialog {number} hidden and disabled controls", actual, states.get(number, []))
    return found


ASM_V2 = "{urn:schemas-microsoft-com:asm.v2}"


def check_manifest(path):
    """The process manifest asks for the highest rights the user has and holds nothing else: a
    common-controls dependency would change the look, a supportedOS list the version the platform
    flags read. Windows XP refuses a trustInfo in the assembly's namespace and XP SP2 restarts on an
    element that declares a namespace twice."""
    manifests = Resources(path).of_type(RT_MANIFEST)
    expect(f"{path} manifest ids", sorted(manifests), [1])
    if 1 not in manifests:
        return
    text = manifests[1].decode("utf-8")
    root = ElementTree.fromstring(text)
    expect(f"{path} manifest contents", [child.tag for child in root], [ASM_V2 + "trustInfo"])
    levels = [(e.tag, e.get("level"), e.get("uiAccess")) for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
    expect(f"{path} manifest level", levels, [(ASM_V2 + "requestedExecutionLevel", "highestAvailable", "false")])
    expect(f"{path} manifest without common controls", "Common-Controls" in text, False)
    expect(f"{path} manifest tags declaring two namespaces", re.findall(r"<[^>]*xmlns[^>]*xmlns[^>]*>", text), [])


def main():
    check_program(sys.argv[1], INSTALL_STRINGS, INSTALL_DIALOGS, INSTALL_STATES)
    welcome = Resources(sys.argv[1]).dialogs().get(1)
    expect("installer welcome page", (welcome["caption"], welcome["size"]), ("Добро пожаловать", (276, 140)))
    copy = Resources(sys.argv[1]).dialogs().get(100)
    expect("copy progress window", (copy["caption"], copy["size"], copy["font"], copy["extended"],
                                    hex(copy["style"]), copy["exstyle"]),
           ("Копирование файлов", (171, 43), FONT, False, "0x90c00ac4", 1))
    expect("copy progress controls", [(c["id"], str(c["class"]).upper(), c["rect"], c["text"]) for c in copy["controls"]],
           [(101, "MSCTLS_PROGRESS32", (1, 30, 169, 12), ""), (-1, "STATIC", (2, 20, 60, 10), "Завершено"),
            (-1, "STATIC", (2, 0, 71, 8), "Копируемый файл"), (102, "STATIC", (8, 9, 160, 8), "")])
    check_program(sys.argv[2], UNINSTALL_STRINGS, UNINSTALL_DIALOGS, UNINSTALL_STATES)
    for program in sys.argv[1:3]:
        check_manifest(program)
    print(f"resources: {checks - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
