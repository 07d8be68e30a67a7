#include "resources/command_text.h"

#include "resources/translate_marker.h"

#include <array>

namespace {

// The texts are marked for translation: the window shows them in the program's language.
const CommandText kTexts[] = {
    {32806, VARNEL_TRANSLATE_NOOP("CommandText", "62,5 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 62,5 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 62,5 м")},
    {32807, VARNEL_TRANSLATE_NOOP("CommandText", "125 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 125 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 125 м")},
    {32808, VARNEL_TRANSLATE_NOOP("CommandText", "250 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 250 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 250 м")},
    {32809, VARNEL_TRANSLATE_NOOP("CommandText", "500 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 500 м"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 500 м")},
    {32810, VARNEL_TRANSLATE_NOOP("CommandText", "1 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 1 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 1 км")},
    {32811, VARNEL_TRANSLATE_NOOP("CommandText", "2 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 2 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 2 км")},
    {32812, VARNEL_TRANSLATE_NOOP("CommandText", "4 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 4 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 4 км")},
    {32813, VARNEL_TRANSLATE_NOOP("CommandText", "8 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 8 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 8 км")},
    {32814, VARNEL_TRANSLATE_NOOP("CommandText", "16 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 16 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 16 км")},
    {32815, VARNEL_TRANSLATE_NOOP("CommandText", "32 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 32 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 32 км")},
    {32816, VARNEL_TRANSLATE_NOOP("CommandText", "64 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 64 км"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка диапазона по дальности равным 64 км")},
    {32800, VARNEL_TRANSLATE_NOOP("CommandText", "10 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 10 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 10 нс")},
    {32799, VARNEL_TRANSLATE_NOOP("CommandText", "20 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 20 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 20 нс")},
    {32798, VARNEL_TRANSLATE_NOOP("CommandText", "50 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 50 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 50 нс")},
    {32797, VARNEL_TRANSLATE_NOOP("CommandText", "100 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 100 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 100 нс")},
    {32796, VARNEL_TRANSLATE_NOOP("CommandText", "200 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 200 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 200 нс")},
    {32795, VARNEL_TRANSLATE_NOOP("CommandText", "500 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 500 нс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 500 нс")},
    {32794, VARNEL_TRANSLATE_NOOP("CommandText", "1 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 1 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 1 мкс")},
    {32801, VARNEL_TRANSLATE_NOOP("CommandText", "2 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 2 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 2 мкс")},
    {32802, VARNEL_TRANSLATE_NOOP("CommandText", "5 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 5 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 5 мкс")},
    {32803, VARNEL_TRANSLATE_NOOP("CommandText", "10 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 10 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 10 мкс")},
    {32804, VARNEL_TRANSLATE_NOOP("CommandText", "20 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 20 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 20 мкс")},
    {32805, VARNEL_TRANSLATE_NOOP("CommandText", "50 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 50 мкс"), VARNEL_TRANSLATE_NOOP("CommandText", "Установка длительности зондирующего импульса равным 50 мкс")},
    {32819, VARNEL_TRANSLATE_NOOP("CommandText", "Параметры каналов"), VARNEL_TRANSLATE_NOOP("CommandText", "Отображает параметры выводимых каналов"), VARNEL_TRANSLATE_NOOP("CommandText", "Параметры каналов")},
    {32820, VARNEL_TRANSLATE_NOOP("CommandText", "Первый курсор"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим \"ЛУПА\" работает относительно первого курсора"), VARNEL_TRANSLATE_NOOP("CommandText", "Первый курсор")},
    {32821, VARNEL_TRANSLATE_NOOP("CommandText", "Второй курсор"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим \"ЛУПА\" работает относительно второго курсора"), VARNEL_TRANSLATE_NOOP("CommandText", "Второй курсор")},
    {32828, VARNEL_TRANSLATE_NOOP("CommandText", "Аппроксимация каналов"), VARNEL_TRANSLATE_NOOP("CommandText", "Аппроксимация отображаемых каналов на графике"), VARNEL_TRANSLATE_NOOP("CommandText", "Аппроксимация каналов")},
    {32829, VARNEL_TRANSLATE_NOOP("CommandText", "Первый канал"), VARNEL_TRANSLATE_NOOP("CommandText", "Включение первого канала"), VARNEL_TRANSLATE_NOOP("CommandText", "Первый канал")},
    {32830, VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить первый канал..."), VARNEL_TRANSLATE_NOOP("CommandText", "Сохраняет первый канал в память"), VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить...")},
    {32832, VARNEL_TRANSLATE_NOOP("CommandText", "Второй канал"), VARNEL_TRANSLATE_NOOP("CommandText", "Включение второго канала"), VARNEL_TRANSLATE_NOOP("CommandText", "Второй канал")},
    {32833, VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить второй канал..."), VARNEL_TRANSLATE_NOOP("CommandText", "Сохраняет второй канал в память"), VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить...")},
    {32835, VARNEL_TRANSLATE_NOOP("CommandText", "Битость пар"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим раздельного входа"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим “Битость пар”")},
    {32836, VARNEL_TRANSLATE_NOOP("CommandText", "Захват"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим определения плавающих дефектов"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим “Захват”")},
    {32837, VARNEL_TRANSLATE_NOOP("CommandText", "Разность"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим поточечного вычитания рефлектограмм"), VARNEL_TRANSLATE_NOOP("CommandText", "Режим “Разность”")},
    {32840, VARNEL_TRANSLATE_NOOP("CommandText", "Двух экранный режим"), VARNEL_TRANSLATE_NOOP("CommandText", "Показывает над измерением обзорный экран всего диапазона"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Двух экранный режим")},
    {32923, VARNEL_TRANSLATE_NOOP("CommandText", "Настройки каналов"), VARNEL_TRANSLATE_NOOP("CommandText", "Показывает справа параметры каналов и таблицу КУ"), VARNEL_TRANSLATE_NOOP("CommandText", "Настройки каналов")},
    {32924, VARNEL_TRANSLATE_NOOP("CommandText", "Память"), VARNEL_TRANSLATE_NOOP("CommandText", "Показывает внизу библиотеку рефлектограмм и сетки масштабов"), VARNEL_TRANSLATE_NOOP("CommandText", "Память")},
    {32953, VARNEL_TRANSLATE_NOOP("CommandText", "Открыть файл"), VARNEL_TRANSLATE_NOOP("CommandText", "Открыть файл со скоростью распространения сигнала"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Открыть новый файл со скоростью распространения сигнала")},
    {32954, VARNEL_TRANSLATE_NOOP("CommandText", "Установить"), VARNEL_TRANSLATE_NOOP("CommandText", "Использовать выделенное значение в расчетах"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Использовать выделенное значение в расчетах")},
    {32955, VARNEL_TRANSLATE_NOOP("CommandText", "Добавить КУ"), VARNEL_TRANSLATE_NOOP("CommandText", "Добавить новое значение в таблицу"), VARNEL_TRANSLATE_NOOP("CommandText", "Добавить новое значение в таблицу")},
    {32956, VARNEL_TRANSLATE_NOOP("CommandText", "Удалить КУ"), VARNEL_TRANSLATE_NOOP("CommandText", "Удалить выделенные значения из таблицы"), VARNEL_TRANSLATE_NOOP("CommandText", "Удалить выделенные значения из таблицы")},
    {32838, VARNEL_TRANSLATE_NOOP("CommandText", "Старт"), VARNEL_TRANSLATE_NOOP("CommandText", "Запускает соединение с прибором VARNEL"), VARNEL_TRANSLATE_NOOP("CommandText", "Старт")},
    {32839, VARNEL_TRANSLATE_NOOP("CommandText", "Стоп"), VARNEL_TRANSLATE_NOOP("CommandText", "Останавливает соедтнение с прибором VARNEL"), VARNEL_TRANSLATE_NOOP("CommandText", "Стоп")},
    {32941, VARNEL_TRANSLATE_NOOP("CommandText", "Лупа"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” управляет лупой, левая кнопка – смещением активного курсора  "), ""},
    {32942, VARNEL_TRANSLATE_NOOP("CommandText", "Курсор 1"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением курсора 1"), ""},
    {32943, VARNEL_TRANSLATE_NOOP("CommandText", "Курсор 2"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением курсора 2"), ""},
    {32944, VARNEL_TRANSLATE_NOOP("CommandText", "Линия 1"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением канала Л1"), ""},
    {32945, VARNEL_TRANSLATE_NOOP("CommandText", "Линия 2"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением канала Л2"), ""},
    {32946, VARNEL_TRANSLATE_NOOP("CommandText", "Память 1"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением памяти П1"), ""},
    {32947, VARNEL_TRANSLATE_NOOP("CommandText", "Память 2"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением памяти П2"), ""},
    {32948, VARNEL_TRANSLATE_NOOP("CommandText", "Память 3"), VARNEL_TRANSLATE_NOOP("CommandText", "Скроллер “мыши” и левая кнопка управляет смещением памяти П3"), ""},
    {33000, VARNEL_TRANSLATE_NOOP("CommandText", "Скорость распространения сигнала V/2"), VARNEL_TRANSLATE_NOOP("CommandText", "Скорость распространения сигнала V/2 или КУ"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Скорость распространения сигнала V/2 или КУ")},
    {33002, VARNEL_TRANSLATE_NOOP("CommandText", "Обратные потери"), VARNEL_TRANSLATE_NOOP("CommandText", "Обратные потери"), VARNEL_TRANSLATE_NOOP("CommandText", "Обратные потери")},
    {33100, VARNEL_TRANSLATE_NOOP("CommandText", "Найти события"), VARNEL_TRANSLATE_NOOP("CommandText", "Находит отражения выбранной линии или памяти и показывает их списком"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Найти события")},
    {33101, VARNEL_TRANSLATE_NOOP("CommandText", "Калибровка КУ..."), VARNEL_TRANSLATE_NOOP("CommandText", "Находит КУ кабеля известной длины по отражению от его конца"), VARNEL_TRANSLATE_NOOP("CommandText", "Калибровка КУ")},
    {33102, VARNEL_TRANSLATE_NOOP("CommandText", "Наблюдение..."), VARNEL_TRANSLATE_NOOP("CommandText", "Следит за линией и сохраняет каждое изменение рефлектограммы"), VARNEL_TRANSLATE_NOOP("CommandText", "Наблюдение")},
    {33103, VARNEL_TRANSLATE_NOOP("CommandText", "Печатать таблицу событий"), VARNEL_TRANSLATE_NOOP("CommandText", "Печатает под показаниями отчета таблицу событий линии или памяти"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Печатать таблицу событий")},
    {32976, VARNEL_TRANSLATE_NOOP("CommandText", "Печать..."), VARNEL_TRANSLATE_NOOP("CommandText", "Печать отчета"), VARNEL_TRANSLATE_NOOP("CommandText", "Печать...")},
    {32822, VARNEL_TRANSLATE_NOOP("CommandText", "Предварительный просмотр печати"), VARNEL_TRANSLATE_NOOP("CommandText", "Предварительный просмотр печати"), VARNEL_TRANSLATE_NOOP("CommandText", "Предварительный просмотр печати")},
    {32977, VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить отчет в PDF..."), VARNEL_TRANSLATE_NOOP("CommandText", "Сохраняет отчет об измерении в файл PDF"), VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить отчет в PDF")},
    {32996, VARNEL_TRANSLATE_NOOP("CommandText", "Описание программы..."), VARNEL_TRANSLATE_NOOP("CommandText", "Открывает описание программы"), VARNEL_TRANSLATE_NOOP("CommandText", "Описание программы")},
    {32993, VARNEL_TRANSLATE_NOOP("CommandText", "Сайт программы"), VARNEL_TRANSLATE_NOOP("CommandText", "Открывает сайт программы VARNEL"), VARNEL_TRANSLATE_NOOP("CommandText", "Сайт программы")},
    {32999, VARNEL_TRANSLATE_NOOP("CommandText", "Напишите нам"), VARNEL_TRANSLATE_NOOP("CommandText", "Открывает новое письмо разработчикам программы"), VARNEL_TRANSLATE_NOOP("CommandText", "Напишите нам")},
    {33110, VARNEL_TRANSLATE_NOOP("CommandText", "Язык / Language"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Выбирает язык программы: он сменится при следующем запуске"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Язык / Language")},
    {57664, VARNEL_TRANSLATE_NOOP("CommandText", "О программе..."), VARNEL_TRANSLATE_NOOP("CommandText", "Сведения о программе и ее версии"), VARNEL_TRANSLATE_NOOP("CommandText", "О программе")},
    {33012, VARNEL_TRANSLATE_NOOP("CommandText", "Сетка масштабов с разными КУ"), VARNEL_TRANSLATE_NOOP("CommandText", "Использовать выбранную сетку масштабов"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Использовать выбранную сетку масштабов")},
    // The library panel's buttons are in no menu: their name is their tooltip.
    {32959, VARNEL_TRANSLATE_NOOP("CommandText", "Открыть новую папку с рефлектометрами"), VARNEL_TRANSLATE_NOOP("CommandText", "Открыть новую папку с рефлектометрами"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Открыть новую папку с рефлектометрами")},
    {32960, VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П1"), "",
     VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П1")},
    {32962, VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П2"), "",
     VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П2")},
    {32964, VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П3"), "",
     VARNEL_TRANSLATE_NOOP("CommandText", "Включить просмотр выбранной рефлектограммы на канале П3")},
    {32975, VARNEL_TRANSLATE_NOOP("CommandText", "Включить предварительный просмотр рефлектограмм"), "", VARNEL_TRANSLATE_NOOP("CommandText", "Включить предварительный просмотр рефлектограмм")},
    {33010, VARNEL_TRANSLATE_NOOP("CommandText", "Открыть файлы с сетками масштабов"), VARNEL_TRANSLATE_NOOP("CommandText", "Открыть файлы с сетками масштабов"), VARNEL_TRANSLATE_NOOP("CommandText", "Открыть файлы с сетками масштабов")},
    {33011, VARNEL_TRANSLATE_NOOP("CommandText", "Создать новую сетку масштабов"), VARNEL_TRANSLATE_NOOP("CommandText", "Создать новую сетку масштабов"), VARNEL_TRANSLATE_NOOP("CommandText", "Создать новую сетку масштабов")},
    {33016, VARNEL_TRANSLATE_NOOP("CommandText", "Добавить новый участок"), VARNEL_TRANSLATE_NOOP("CommandText", "Добавить новый участок"), VARNEL_TRANSLATE_NOOP("CommandText", "Добавить новый участок")},
    {33017, VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить отредактированное значение"), VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить отредактированное значение"),
     VARNEL_TRANSLATE_NOOP("CommandText", "Сохранить отредактированное значение")},
    {33018, VARNEL_TRANSLATE_NOOP("CommandText", "Удалить выделенный участок"), VARNEL_TRANSLATE_NOOP("CommandText", "Удалить выделенный участок"), VARNEL_TRANSLATE_NOOP("CommandText", "Удалить выделенный участок")},
};

} // namespace

const CommandText* commandText(int id)
{
    for (const CommandText& t : kTexts)
        if (t.id == id)
            return &t;
    return nullptr;
}
