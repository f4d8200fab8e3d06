#!/usr/bin/python3
"""Reads the string tables and dialog templates back out of the built programs and compares every
string with the programs' .rc files, and every dialog's text, identifier, caption, size and position
with the tables below; reads back the manifest too.
    resources_test.py Install.exe unTikton.exe"""
import os
import re
import sys
from xml.etree import ElementTree

from pe_resources import RT_MANIFEST, Resources

PAGE_STYLE = 0x90C80044  # WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_3DLOOK
FONT = (8, "MS Sans Serif")
WS_VISIBLE, WS_DISABLED = 0x10000000, 0x08000000
SIDE = (101, "STATIC", (0, 0, 80, 140), "")
SOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
ESCAPES = {"r": "\r", "n": "\n", "t": "\t", "0": "\0", "\\": "\\"}


def string_table(program):
    """The string table as the program's .rc file writes it, by the numbers its resource.h gives the
    identifiers: the texts' one home."""
    with open(os.path.join(SOURCES, program, "resource.h"), encoding="utf-8") as header:
        numbers = dict(re.findall(r"^#define (IDS_\w+) (\d+)$", header.read(), re.M))
    with open(os.path.join(SOURCES, program, program + ".rc"), encoding="utf-8") as rc:
        table = re.search(r"^STRINGTABLE\nBEGIN\n(.*?)^END$", rc.read(), re.M | re.S).group(1)
    words = lambda text: re.sub(r'\\(.)', lambda m: ESCAPES[m.group(1)], text.replace('""', '"'))
    return {int(numbers[name]): words(text) for name, text in re.findall(r'^    (IDS_\w+) "(.*)"$', table, re.M)}


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
    expect(f"{path} string numbers", sorted(table), sorted(strings))
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
    check_program(sys.argv[1], string_table("install"), INSTALL_DIALOGS, INSTALL_STATES)
    welcome = Resources(sys.argv[1]).dialogs().get(1)
    expect("installer welcome page", (welcome["caption"], welcome["size"]), ("Добро пожаловать", (276, 140)))
    copy = Resources(sys.argv[1]).dialogs().get(100)
    expect("copy progress window", (copy["caption"], copy["size"], copy["font"], copy["extended"],
                                    hex(copy["style"]), copy["exstyle"]),
           ("Копирование файлов", (171, 43), FONT, False, "0x90c00ac4", 1))
    expect("copy progress controls", [(c["id"], str(c["class"]).upper(), c["rect"], c["text"]) for c in copy["controls"]],
           [(101, "MSCTLS_PROGRESS32", (1, 30, 169, 12), ""), (-1, "STATIC", (2, 20, 60, 10), "Завершено"),
            (-1, "STATIC", (2, 0, 71, 8), "Копируемый файл"), (102, "STATIC", (8, 9, 160, 8), "")])
    check_program(sys.argv[2], string_table("uninstall"), UNINSTALL_DIALOGS, UNINSTALL_STATES)
    for program in sys.argv[1:3]:
        check_manifest(program)
    print(f"resources: {checks - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
