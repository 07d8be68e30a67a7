<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>CAboutDlg</name>
    <message>
        <location filename="../../app/about_dlg.cpp" line="+17"/>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Значок программы</source>
        <translation>Program icon</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <location filename="../../app/main_frame.cpp" line="+33"/>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Готово</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location line="+104"/>
        <source>Остальные кнопки</source>
        <translation>More buttons</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Режимы</source>
        <translation>Modes</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Прибор</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Курсоры</source>
        <translation>Cursors</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Представление</source>
        <translation>Presentation</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Импульс</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <location line="+57"/>
        <source>&amp;Измерение</source>
        <translation>&amp;Measurement</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Диапазон</source>
        <translation>&amp;Range</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>И&amp;мпульс</source>
        <translation>&amp;Pulse</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Мышь</source>
        <translation>M&amp;ouse</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&amp;Режимы</source>
        <translation>Mo&amp;des</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Вид</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Описание программы не найдено: %1</source>
        <translation>Program description not found: %1</translation>
    </message>
</context>
<context>
    <name>CVarnelApp</name>
    <message>
        <location filename="../../app/varnel_app.cpp" line="+158"/>
        <source>Наблюдение</source>
        <translation>Watch</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Наблюдение: сохранено изменений %1</source>
        <translation>Watch: changes saved %1</translation>
    </message>
</context>
<context>
    <name>CommandText</name>
    <message>
        <location filename="../command_text.cpp" line="+11"/>
        <source>62,5 м</source>
        <translation>62.5 m</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 62,5 м</source>
        <translation>Sets the distance range to 62.5 m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>125 м</source>
        <translation>125 m</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 125 м</source>
        <translation>Sets the distance range to 125 m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>250 м</source>
        <translation>250 m</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 250 м</source>
        <translation>Sets the distance range to 250 m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>500 м</source>
        <translation>500 m</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 500 м</source>
        <translation>Sets the distance range to 500 m</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 км</source>
        <translation>1 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 1 км</source>
        <translation>Sets the distance range to 1 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 км</source>
        <translation>2 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 2 км</source>
        <translation>Sets the distance range to 2 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4 км</source>
        <translation>4 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 4 км</source>
        <translation>Sets the distance range to 4 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>8 км</source>
        <translation>8 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 8 км</source>
        <translation>Sets the distance range to 8 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>16 км</source>
        <translation>16 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 16 км</source>
        <translation>Sets the distance range to 16 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>32 км</source>
        <translation>32 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 32 км</source>
        <translation>Sets the distance range to 32 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>64 км</source>
        <translation>64 km</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка диапазона по дальности равным 64 км</source>
        <translation>Sets the distance range to 64 km</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>10 нс</source>
        <translation>10 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 10 нс</source>
        <translation>Sets the probe pulse width to 10 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20 нс</source>
        <translation>20 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 20 нс</source>
        <translation>Sets the probe pulse width to 20 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>50 нс</source>
        <translation>50 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 50 нс</source>
        <translation>Sets the probe pulse width to 50 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>100 нс</source>
        <translation>100 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 100 нс</source>
        <translation>Sets the probe pulse width to 100 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>200 нс</source>
        <translation>200 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 200 нс</source>
        <translation>Sets the probe pulse width to 200 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>500 нс</source>
        <translation>500 ns</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 500 нс</source>
        <translation>Sets the probe pulse width to 500 ns</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 мкс</source>
        <translation>1 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 1 мкс</source>
        <translation>Sets the probe pulse width to 1 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 мкс</source>
        <translation>2 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 2 мкс</source>
        <translation>Sets the probe pulse width to 2 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5 мкс</source>
        <translation>5 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 5 мкс</source>
        <translation>Sets the probe pulse width to 5 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>10 мкс</source>
        <translation>10 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 10 мкс</source>
        <translation>Sets the probe pulse width to 10 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20 мкс</source>
        <translation>20 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 20 мкс</source>
        <translation>Sets the probe pulse width to 20 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>50 мкс</source>
        <translation>50 µs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Установка длительности зондирующего импульса равным 50 мкс</source>
        <translation>Sets the probe pulse width to 50 µs</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Параметры каналов</source>
        <translation>Channel parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Отображает параметры выводимых каналов</source>
        <translation>Shows the parameters of the displayed channels</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Первый курсор</source>
        <translation>First cursor</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим &quot;ЛУПА&quot; работает относительно первого курсора</source>
        <translation>The &quot;MAGNIFIER&quot; mode works around the first cursor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Второй курсор</source>
        <translation>Second cursor</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим &quot;ЛУПА&quot; работает относительно второго курсора</source>
        <translation>The &quot;MAGNIFIER&quot; mode works around the second cursor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Аппроксимация каналов</source>
        <translation>Channel smoothing</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Аппроксимация отображаемых каналов на графике</source>
        <translation>Smooths the displayed channels on the chart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Первый канал</source>
        <translation>First channel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Включение первого канала</source>
        <translation>Switches the first channel on</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сохранить первый канал...</source>
        <translation>Save first channel...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Сохраняет первый канал в память</source>
        <translation>Saves the first channel to memory</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+2"/>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Второй канал</source>
        <translation>Second channel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Включение второго канала</source>
        <translation>Switches the second channel on</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сохранить второй канал...</source>
        <translation>Save second channel...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Сохраняет второй канал в память</source>
        <translation>Saves the second channel to memory</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Битость пар</source>
        <translation>Split pairs</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим раздельного входа</source>
        <translation>Separate input mode</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим “Битость пар”</source>
        <translation>“Split pairs” mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Захват</source>
        <translation>Capture</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим определения плавающих дефектов</source>
        <translation>Mode for finding intermittent faults</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим “Захват”</source>
        <translation>“Capture” mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Разность</source>
        <translation>Difference</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим поточечного вычитания рефлектограмм</source>
        <translation>Point-by-point subtraction of reflectograms</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Режим “Разность”</source>
        <translation>“Difference” mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Двух экранный режим</source>
        <translation>Two-screen mode</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Показывает над измерением обзорный экран всего диапазона</source>
        <translation>Shows an overview of the whole range above the measurement</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Настройки каналов</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Показывает справа параметры каналов и таблицу КУ</source>
        <translation>Shows the channel parameters and the KU table on the right</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Память</source>
        <translation>Memory</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Показывает внизу библиотеку рефлектограмм и сетки масштабов</source>
        <translation>Shows the reflectogram library and the scale grids at the bottom</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Открыть файл со скоростью распространения сигнала</source>
        <translation>Open a file of signal propagation velocities</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Открыть новый файл со скоростью распространения сигнала</source>
        <translation>Open another file of signal propagation velocities</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Установить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>Использовать выделенное значение в расчетах</source>
        <translation>Use the selected value in the calculations</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Добавить КУ</source>
        <translation>Add KU</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Добавить новое значение в таблицу</source>
        <translation>Add a new value to the table</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Удалить КУ</source>
        <translation>Delete KU</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Удалить выделенные значения из таблицы</source>
        <translation>Delete the selected values from the table</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Запускает соединение с прибором VARNEL</source>
        <translation>Starts the connection with the VARNEL instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Останавливает соедтнение с прибором VARNEL</source>
        <translation>Stops the connection with the VARNEL instrument</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Лупа</source>
        <translation>Magnifier</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” управляет лупой, левая кнопка – смещением активного курсора  </source>
        <translation>The mouse wheel controls the magnifier, the left button moves the active cursor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Курсор 1</source>
        <translation>Cursor 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением курсора 1</source>
        <translation>The mouse wheel and the left button move cursor 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Курсор 2</source>
        <translation>Cursor 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением курсора 2</source>
        <translation>The mouse wheel and the left button move cursor 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Линия 1</source>
        <translation>Line 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением канала Л1</source>
        <translation>The mouse wheel and the left button shift channel L1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Линия 2</source>
        <translation>Line 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением канала Л2</source>
        <translation>The mouse wheel and the left button shift channel L2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Память 1</source>
        <translation>Memory 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П1</source>
        <translation>The mouse wheel and the left button shift memory M1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Память 2</source>
        <translation>Memory 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П2</source>
        <translation>The mouse wheel and the left button shift memory M2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Память 3</source>
        <translation>Memory 3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П3</source>
        <translation>The mouse wheel and the left button shift memory M3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Скорость распространения сигнала V/2</source>
        <translation>Signal propagation velocity V/2</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>Скорость распространения сигнала V/2 или КУ</source>
        <translation>Signal propagation velocity V/2 or KU</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Обратные потери</source>
        <translation>Return loss</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Найти события</source>
        <translation>Find events</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Находит отражения выбранной линии или памяти и показывает их списком</source>
        <translation>Finds the reflections of the chosen line or memory and lists them</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Калибровка КУ...</source>
        <translation>KU calibration...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Находит КУ кабеля известной длины по отражению от его конца</source>
        <translation>Finds the KU of a cable of known length from the reflection at its end</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Калибровка КУ</source>
        <translation>KU calibration</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Наблюдение...</source>
        <translation>Watch...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Следит за линией и сохраняет каждое изменение рефлектограммы</source>
        <translation>Watches the line and saves every change of the reflectogram</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Наблюдение</source>
        <translation>Watch</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Печатать таблицу событий</source>
        <translation>Print the event table</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Печатает под показаниями отчета таблицу событий линии или памяти</source>
        <translation>Prints the event table of a line or memory below the report&apos;s readouts</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Печать отчета</source>
        <translation>Prints the report</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Предварительный просмотр печати</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сохранить отчет в PDF...</source>
        <translation>Save report as PDF...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Сохраняет отчет об измерении в файл PDF</source>
        <translation>Saves the measurement report to a PDF file</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Сохранить отчет в PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Описание программы...</source>
        <translation>Program description...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Открывает описание программы</source>
        <translation>Opens the program description</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Описание программы</source>
        <translation>Program description</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сайт программы</source>
        <translation>Program website</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Открывает сайт программы VARNEL</source>
        <translation>Opens the VARNEL website</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Напишите нам</source>
        <translation>Write to us</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Открывает новое письмо разработчикам программы</source>
        <translation>Opens a new letter to the program&apos;s developers</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+2"/>
        <source>Язык / Language</source>
        <translation>Язык / Language</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>Выбирает язык программы: он сменится при следующем запуске</source>
        <translation>Chooses the program&apos;s language: it changes at the next start</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Сведения о программе и ее версии</source>
        <translation>About the program and its version</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сетка масштабов с разными КУ</source>
        <translation>Scale grid with different KU</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+1"/>
        <source>Использовать выбранную сетку масштабов</source>
        <translation>Use the chosen scale grid</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+1"/>
        <source>Открыть новую папку с рефлектометрами</source>
        <translation>Open another folder of reflectograms</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Включить просмотр выбранной рефлектограммы на канале П1</source>
        <translation>Show the selected reflectogram on channel M1</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Включить просмотр выбранной рефлектограммы на канале П2</source>
        <translation>Show the selected reflectogram on channel M2</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Включить просмотр выбранной рефлектограммы на канале П3</source>
        <translation>Show the selected reflectogram on channel M3</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Включить предварительный просмотр рефлектограмм</source>
        <translation>Preview reflectograms</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Открыть файлы с сетками масштабов</source>
        <translation>Open scale grid files</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Создать новую сетку масштабов</source>
        <translation>Create a new scale grid</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Добавить новый участок</source>
        <translation>Add a new section</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Сохранить отредактированное значение</source>
        <translation>Save the edited value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Удалить выделенный участок</source>
        <translation>Delete the selected section</translation>
    </message>
</context>
<context>
    <name>ContactLines</name>
    <message>
        <location filename="../contact_lines.h" line="+10"/>
        <source>Программа VARNEL</source>
        <translation>VARNEL program</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Сайт: https://varnel.example.org</source>
        <translation>Website: https://varnel.example.org</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Почта: support@varnel.example.org</source>
        <translation>Mail: support@varnel.example.org</translation>
    </message>
</context>
<context>
    <name>LaunchOptions</name>
    <message>
        <location filename="../../app/launch_options.cpp" line="+19"/>
        <source>Порт прибора: путь к устройству (/dev/ttyUSB0), &quot;auto&quot; (первый USB-мост прибора) или &quot;sim&quot; (встроенный имитатор прибора).</source>
        <translation>Instrument port: a device path (/dev/ttyUSB0), &quot;auto&quot; (the first USB bridge of the instrument) or &quot;sim&quot; (the built-in simulated instrument).</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Начать измерение, как только откроется окно.</source>
        <translation>Start acquisition once the window is up.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Папка для param.ini и папки Save вместо обычных.</source>
        <translation>Folder for param.ini and the Save folder instead of the usual ones.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Язык программы: ru (русский) или en (английский); без него язык выбирают настройка &quot;Язык / Language&quot; и локаль.</source>
        <translation>The program&apos;s language: ru (Russian) or en (English); without it the &quot;Язык / Language&quot; setting and the locale choose.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Неверный порт %1: %2</source>
        <translation>Bad --port %1: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Неверный язык %1: нужен ru или en</source>
        <translation>Bad --lang %1: ru or en is needed</translation>
    </message>
</context>
</TS>
