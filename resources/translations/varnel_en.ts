<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>AcquisitionTexts</name>
    <message>
        <source>Ошибка создания потока</source>
        <translation>Could not create the thread</translation>
    </message>
    <message>
        <source>Выберите линию для измерения</source>
        <translation>Choose a line to measure</translation>
    </message>
    <message>
        <source>ВНИМАНИЕ</source>
        <translation>ATTENTION</translation>
    </message>
    <message>
        <source>Проверте соединение с прбором VARNEL
и нажмите &quot;ОК&quot; для повторной попытки</source>
        <translation>Check the connection with the VARNEL instrument
and press &quot;OK&quot; to try again</translation>
    </message>
    <message>
        <source>Нет связи с прибором VARNEL</source>
        <translation>No connection with the VARNEL instrument</translation>
    </message>
    <message>
        <source>Рефлектограмма успешно сохранена</source>
        <translation>The reflectogram has been saved</translation>
    </message>
    <message>
        <source>Не удалось сохранить рефлектограмму в файл</source>
        <translation>Could not save the reflectogram to a file</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Порт %1 занят другой программой.
Закройте ее и нажмите &quot;ОК&quot; для повторной попытки</source>
        <translation>Port %1 is in use by another program.
Close it and press &quot;OK&quot; to try again</translation>
    </message>
    <message>
        <source>Нет доступа к порту %1.
Установите правило udev программы (пакет varnel) или добавьте пользователя в группу dialout:
    sudo usermod -aG dialout $USER
затем войдите в систему заново и нажмите &quot;ОК&quot; для повторной попытки</source>
        <translation>No permission to open port %1.
Install the program&apos;s udev rule (the varnel package) or add the user to the dialout group:
    sudo usermod -aG dialout $USER
then log in again and press &quot;OK&quot; to try again</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <source>Значок программы</source>
        <translation>Program icon</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>CButtonSpin</name>
    <message>
        <source>Минимальное значение</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>Уменьшить на шаг</source>
        <translation>Step down</translation>
    </message>
    <message>
        <source>Увеличить на шаг</source>
        <translation>Step up</translation>
    </message>
    <message>
        <source>Максимальное значение</source>
        <translation>Maximum value</translation>
    </message>
</context>
<context>
    <name>CCalibrationDlg</name>
    <message>
        <source>Отражение под курсором 1</source>
        <translation>Reflection under cursor 1</translation>
    </message>
    <message>
        <source>Найденный конец линии</source>
        <translation>The line end found</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Добавить в таблицу</source>
        <translation>Add to table</translation>
    </message>
    <message>
        <source>Калибровка КУ</source>
        <translation>KU calibration</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>Известная длина кабеля</source>
        <translation>Known cable length</translation>
    </message>
    <message>
        <source>Длина</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>Отражение</source>
        <translation>Reflection</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Сделать найденный КУ текущим</source>
        <translation>Make the KU found the current one</translation>
    </message>
    <message>
        <source>Добавить найденный КУ в открытую таблицу КУ</source>
        <translation>Add the KU found to the open KU table</translation>
    </message>
    <message>
        <source>конец линии не найден: поставьте курсор 1 на отражение от конца</source>
        <translation>line end not found: put cursor 1 on the reflection from the end</translation>
    </message>
    <message>
        <source> м при КУ 1.5</source>
        <translation> m at KU 1.5</translation>
    </message>
    <message>
        <source>КУ %1, V/2 %2 м/мкс</source>
        <translation>KU %1, V/2 %2 m/µs</translation>
    </message>
    <message>
        <source>КУ выходит за пределы 1..3: проверьте длину и отражение</source>
        <translation>KU outside 1..3: check the length and the reflection</translation>
    </message>
    <message>
        <source>Добавить значение в таблицу</source>
        <translation>Add a value to the table</translation>
    </message>
    <message>
        <source>Название КУ</source>
        <translation>KU name</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>CCompareDlg</name>
    <message>
        <source>Сравнить с эталоном</source>
        <translation>Compare with baseline</translation>
    </message>
    <message>
        <source>Линия или память, которая сравнивается с эталоном</source>
        <translation>The line or memory compared with the baseline</translation>
    </message>
    <message>
        <source>Память с рефлектограммой исправной линии</source>
        <translation>The memory holding the healthy line&apos;s reflectogram</translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Эталон</source>
        <translation>Baseline</translation>
    </message>
    <message>
        <source>Сравнить</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>Сравнить линию с эталоном заново</source>
        <translation>Compare the line with the baseline again</translation>
    </message>
    <message>
        <source>Изменения</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>Итог сравнения</source>
        <translation>Comparison summary</translation>
    </message>
    <message>
        <source>Загрузите эталонную рефлектограмму в память П1, П2 или П3</source>
        <translation>Load the baseline reflectogram into memory M1, M2 or M3</translation>
    </message>
    <message>
        <source>Выберите линию, отличную от эталона</source>
        <translation>Choose a line other than the baseline</translation>
    </message>
    <message>
        <source>Эталон снят на другом диапазоне или с другим импульсом</source>
        <translation>The baseline was taken on another range or with another pulse</translation>
    </message>
    <message>
        <source>Сдвиг %1 отсч., усиление %2, изменений: %3</source>
        <translation>Shift %1 samples, gain %2, changes: %3</translation>
    </message>
</context>
<context>
    <name>CEventsDlg</name>
    <message>
        <source>События</source>
        <translation>Events</translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Линия или память, в которой ищутся события</source>
        <translation>The line or memory searched for events</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Найти события заново</source>
        <translation>Find the events again</translation>
    </message>
    <message>
        <source>Нет показанной линии или памяти</source>
        <translation>No line or memory shown</translation>
    </message>
    <message>
        <source>Найдено событий: %1, шум %2</source>
        <translation>Events found: %1, noise %2</translation>
    </message>
</context>
<context>
    <name>CForm</name>
    <message>
        <source>Обзорный экран</source>
        <translation>Overview screen</translation>
    </message>
</context>
<context>
    <name>CFormDraw</name>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Экран рефлектограмм</source>
        <translation>Reflectogram screen</translation>
    </message>
    <message>
        <source>Таблица каналов</source>
        <translation>Channel table</translation>
    </message>
</context>
<context>
    <name>CFormKU</name>
    <message>
        <source>Выбрать таблицу скорости распространения сигнала</source>
        <translation>Choose a signal propagation velocity table</translation>
    </message>
    <message>
        <source>Выберите в списке необходимое значение</source>
        <translation>Choose the value you need in the list</translation>
    </message>
    <message>
        <source>Таблица V/2 (*.tku)</source>
        <translation>V/2 table (*.tku)</translation>
    </message>
    <message>
        <source>Таблица КУ (*.tku)</source>
        <translation>KU table (*.tku)</translation>
    </message>
    <message>
        <source>Таблица КУ</source>
        <translation>KU table</translation>
    </message>
    <message>
        <source>Другие команды</source>
        <translation>More commands</translation>
    </message>
    <message>
        <source>КУ</source>
        <translation>KU</translation>
    </message>
    <message>
        <source>Название </source>
        <translation>Name </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Значение «%1» нельзя использовать в расчетах</source>
        <translation>The value “%1” cannot be used in calculations</translation>
    </message>
    <message>
        <source>файл таблицы не выбран</source>
        <translation>no table file chosen</translation>
    </message>
    <message>
        <source>Вы хотите удалить из списка выделенные значения?</source>
        <translation>Do you want to delete the selected values from the list?</translation>
    </message>
    <message>
        <source>Не удалось прочитать таблицу из файла
</source>
        <translation>Could not read the table from the file
</translation>
    </message>
    <message>
        <source>Не удалось сохранить таблицу в файл
</source>
        <translation>Could not save the table to the file
</translation>
    </message>
    <message>
        <source>
Изменение осталось в списке, но в файл не записано.</source>
        <translation>
The change stays in the list but was not written to the file.</translation>
    </message>
</context>
<context>
    <name>CFormMemory</name>
    <message>
        <source>Предварительный просмотр</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Файлы сеток масштабов</source>
        <translation>Scale grid files</translation>
    </message>
    <message>
        <source>Участки</source>
        <translation>Sections</translation>
    </message>
    <message>
        <source>Сетки масштабов</source>
        <translation>Scale grids</translation>
    </message>
    <message>
        <source>Библиотека</source>
        <translation>Library</translation>
    </message>
    <message>
        <source>Остальные кнопки</source>
        <translation>More buttons</translation>
    </message>
</context>
<context>
    <name>CFormParams</name>
    <message>
        <source>К.У.</source>
        <translation>KU</translation>
    </message>
    <message>
        <source>Смещ. Л1</source>
        <translation>Offs. L1</translation>
    </message>
    <message>
        <source>Смещ. Л2</source>
        <translation>Offs. L2</translation>
    </message>
    <message>
        <source>Смещ. П1</source>
        <translation>Offs. M1</translation>
    </message>
    <message>
        <source>Смещ. П2</source>
        <translation>Offs. M2</translation>
    </message>
    <message>
        <source>Смещ. П3</source>
        <translation>Offs. M3</translation>
    </message>
    <message>
        <source>Усиление</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Осреднение</source>
        <translation>Averaging</translation>
    </message>
    <message>
        <source>В режиме &quot;Разность&quot; из %1 поточечно вычитаются остальные рефлектограммы</source>
        <translation>In the &quot;Difference&quot; mode the other reflectograms are subtracted point by point from %1</translation>
    </message>
    <message>
        <source>Смещение графика %1 по вертикали</source>
        <translation>Vertical offset of %1</translation>
    </message>
    <message>
        <source>Текущее значение скорости распространения сигнала</source>
        <translation>Current signal propagation velocity</translation>
    </message>
    <message>
        <source>Текущее значение уселения</source>
        <translation>Current gain</translation>
    </message>
    <message>
        <source>Текущее значение осреднения</source>
        <translation>Current averaging</translation>
    </message>
</context>
<context>
    <name>CFormSet</name>
    <message>
        <source>K1</source>
        <translation>K1</translation>
    </message>
    <message>
        <source>K2</source>
        <translation>K2</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Лупа</source>
        <translation>Magnifier</translation>
    </message>
    <message>
        <source>Расстояние от начала шкалы до курсора К1</source>
        <translation>Distance from the start of the scale to cursor K1</translation>
    </message>
    <message>
        <source>Расстояние от начала шкалы до курсора К2</source>
        <translation>Distance from the start of the scale to cursor K2</translation>
    </message>
    <message>
        <source>Расстояние между двумя курсорами</source>
        <translation>Distance between the two cursors</translation>
    </message>
    <message>
        <source>Значение лупы</source>
        <translation>Magnification</translation>
    </message>
</context>
<context>
    <name>CFramePanes</name>
    <message>
        <source>Курсоры</source>
        <translation>Cursors</translation>
    </message>
    <message>
        <source>Библиотека рефлектограмм</source>
        <translation>Reflectogram library</translation>
    </message>
    <message>
        <source>Параметры каналов</source>
        <translation>Channel parameters</translation>
    </message>
    <message>
        <source>Таблица КУ</source>
        <translation>KU table</translation>
    </message>
    <message>
        <source>Обзорный экран</source>
        <translation>Overview screen</translation>
    </message>
    <message>
        <source>Измерение</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <source>Рабочая область</source>
        <translation>Work area</translation>
    </message>
    <message>
        <source>Экраны и настройки каналов</source>
        <translation>Screens and channel settings</translation>
    </message>
    <message>
        <source>Настройки каналов</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <source>Экраны</source>
        <translation>Screens</translation>
    </message>
</context>
<context>
    <name>CLocateDlg</name>
    <message>
        <source>Установить КУ</source>
        <translation>Set KU</translation>
    </message>
    <message>
        <source>Локализация с двух концов</source>
        <translation>Two-ended location</translation>
    </message>
    <message>
        <source>Рефлектограмма, снятая с конца A</source>
        <translation>The reflectogram taken from end A</translation>
    </message>
    <message>
        <source>Рефлектограмма, снятая с конца B</source>
        <translation>The reflectogram taken from end B</translation>
    </message>
    <message>
        <source>Длина линии по плану</source>
        <translation>The line&apos;s length from the plan</translation>
    </message>
    <message>
        <source>Конец A</source>
        <translation>End A</translation>
    </message>
    <message>
        <source>Конец B</source>
        <translation>End B</translation>
    </message>
    <message>
        <source>Длина линии</source>
        <translation>Line length</translation>
    </message>
    <message>
        <source>Результат</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>Сделать найденный КУ текущим и поставить курсор на повреждение</source>
        <translation>Make the computed KU current and put the cursor on the fault</translation>
    </message>
    <message>
        <source>Выберите две разные рефлектограммы: с конца A и с конца B</source>
        <translation>Choose two different reflectograms: from end A and from end B</translation>
    </message>
    <message>
        <source>От конца A: %1 м, от конца B: %2 м
КУ %3, V/2 %4 м/мкс, расхождение %5 м</source>
        <translation>From end A: %1 m, from end B: %2 m
KU %3, V/2 %4 m/µs, spread %5 m</translation>
    </message>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <source>Готово</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Остальные кнопки</source>
        <translation>More buttons</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Режимы</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>Прибор</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>Курсоры</source>
        <translation>Cursors</translation>
    </message>
    <message>
        <source>Представление</source>
        <translation>Presentation</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Диапазон</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Импульс</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>&amp;Измерение</source>
        <translation>&amp;Measurement</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>&amp;Диапазон</source>
        <translation>&amp;Range</translation>
    </message>
    <message>
        <source>И&amp;мпульс</source>
        <translation>&amp;Pulse</translation>
    </message>
    <message>
        <source>&amp;Мышь</source>
        <translation>M&amp;ouse</translation>
    </message>
    <message>
        <source>&amp;Режимы</source>
        <translation>Mo&amp;des</translation>
    </message>
    <message>
        <source>&amp;Вид</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Описание программы не найдено: %1</source>
        <translation>Program description not found: %1</translation>
    </message>
</context>
<context>
    <name>CPortChoiceDlg</name>
    <message>
        <source>Выбор порта прибора</source>
        <translation>Instrument port</translation>
    </message>
    <message>
        <source>Подключено несколько USB-адаптеров FTDI.
Выберите порт прибора VARNEL:</source>
        <translation>Several FTDI USB adapters are connected.
Choose the port of the VARNEL instrument:</translation>
    </message>
    <message>
        <source>Порт прибора</source>
        <translation>Instrument port</translation>
    </message>
</context>
<context>
    <name>CQtAcquisitionHost</name>
    <message>
        <source>Введите имя сохраняемого файла</source>
        <translation>Enter the name of the file to save</translation>
    </message>
    <message>
        <source>Рефлектограмма (*.tdr)</source>
        <translation>Reflectogram (*.tdr)</translation>
    </message>
</context>
<context>
    <name>CReportPage</name>
    <message>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <source>Не поместилось событий: %1</source>
        <translation>Events that did not fit: %1</translation>
    </message>
</context>
<context>
    <name>CReportPrinting</name>
    <message>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <source>Печать</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Предварительный просмотр печати</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Не удалось начать печать на принтере &quot;%1&quot;.</source>
        <translation>Could not start printing on printer &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Отчет не сохранен.
%1
%2</source>
        <translation>The report was not saved.
%1
%2</translation>
    </message>
    <message>
        <source>Сохранить отчет в PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>Документ PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Отчет.pdf</source>
        <translation>Report.pdf</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>CTableKU</name>
    <message>
        <source>Добавить значение в таблицу</source>
        <translation>Add a value to the table</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>КУ</source>
        <translation>KU</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
</context>
<context>
    <name>CVarnelApp</name>
    <message>
        <source>Наблюдение</source>
        <translation>Watch</translation>
    </message>
    <message>
        <source>Наблюдение: сохранено изменений %1</source>
        <translation>Watch: changes saved %1</translation>
    </message>
</context>
<context>
    <name>CWaitDlg</name>
    <message>
        <source>Подождите...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Повторное соединение произойдет через %1 сек.</source>
        <translation>Reconnecting in %1 s.</translation>
    </message>
</context>
<context>
    <name>CWatchDlg</name>
    <message>
        <source>Наблюдение</source>
        <translation>Watch</translation>
    </message>
    <message>
        <source>Л1</source>
        <translation>L1</translation>
    </message>
    <message>
        <source>Л2</source>
        <translation>L2</translation>
    </message>
    <message>
        <source>Линия, за которой следить</source>
        <translation>The line to watch</translation>
    </message>
    <message>
        <source>отсч.</source>
        <translation>counts</translation>
    </message>
    <message>
        <source>Порог отличия от первой рефлектограммы</source>
        <translation>Threshold of difference from the first reflectogram</translation>
    </message>
    <message>
        <source>Отличие должно держаться больше стольких точек подряд</source>
        <translation>The difference must last more than this many points in a row</translation>
    </message>
    <message>
        <source>Папка для рефлектограмм изменений и журнала watch.csv</source>
        <translation>Folder for the changed reflectograms and the watch.csv log</translation>
    </message>
    <message>
        <source>Обзор...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Выбрать папку</source>
        <translation>Choose a folder</translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Порог</source>
        <translation>Threshold</translation>
    </message>
    <message>
        <source>Точек подряд</source>
        <translation>Points in a row</translation>
    </message>
    <message>
        <source>Папка</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Папка наблюдения</source>
        <translation>Watch folder</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Папка &quot;%1&quot; не найдена или недоступна для записи.</source>
        <translation>Folder &quot;%1&quot; not found or not writable.</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Начать</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Остановить наблюдение</source>
        <translation>Stop watching</translation>
    </message>
    <message>
        <source>Начать наблюдение</source>
        <translation>Start watching</translation>
    </message>
    <message>
        <source>Наблюдение не ведётся</source>
        <translation>Not watching</translation>
    </message>
    <message>
        <source>Рефлектограмм: %1, изменений: %2, сохранено: %3</source>
        <translation>Reflectograms: %1, changes: %2, saved: %3</translation>
    </message>
    <message>
        <source>
Не удалось сохранить: </source>
        <translation>
Could not save: </translation>
    </message>
</context>
<context>
    <name>ChangeTable</name>
    <message>
        <source>новое</source>
        <translation>new</translation>
    </message>
    <message>
        <source>пропало</source>
        <translation>gone</translation>
    </message>
    <message>
        <source>изменилось</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Расстояние</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Изменение</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Амплитуда</source>
        <translation>Amplitude</translation>
    </message>
</context>
<context>
    <name>ChannelTable</name>
    <message>
        <source>Название канала</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Название файла</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Импульс</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Осреднение</source>
        <translation>Averaging</translation>
    </message>
    <message>
        <source>Усиление</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Согласование</source>
        <translation>Matching</translation>
    </message>
    <message>
        <source>Смещение</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Обратные потери</source>
        <translation>Ret. loss</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>КУ</source>
        <translation>KU</translation>
    </message>
</context>
<context>
    <name>CommandText</name>
    <message>
        <source>62,5 м</source>
        <translation>62.5 m</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 62,5 м</source>
        <translation>Sets the distance range to 62.5 m</translation>
    </message>
    <message>
        <source>125 м</source>
        <translation>125 m</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 125 м</source>
        <translation>Sets the distance range to 125 m</translation>
    </message>
    <message>
        <source>250 м</source>
        <translation>250 m</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 250 м</source>
        <translation>Sets the distance range to 250 m</translation>
    </message>
    <message>
        <source>500 м</source>
        <translation>500 m</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 500 м</source>
        <translation>Sets the distance range to 500 m</translation>
    </message>
    <message>
        <source>1 км</source>
        <translation>1 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 1 км</source>
        <translation>Sets the distance range to 1 km</translation>
    </message>
    <message>
        <source>2 км</source>
        <translation>2 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 2 км</source>
        <translation>Sets the distance range to 2 km</translation>
    </message>
    <message>
        <source>4 км</source>
        <translation>4 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 4 км</source>
        <translation>Sets the distance range to 4 km</translation>
    </message>
    <message>
        <source>8 км</source>
        <translation>8 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 8 км</source>
        <translation>Sets the distance range to 8 km</translation>
    </message>
    <message>
        <source>16 км</source>
        <translation>16 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 16 км</source>
        <translation>Sets the distance range to 16 km</translation>
    </message>
    <message>
        <source>32 км</source>
        <translation>32 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 32 км</source>
        <translation>Sets the distance range to 32 km</translation>
    </message>
    <message>
        <source>64 км</source>
        <translation>64 km</translation>
    </message>
    <message>
        <source>Установка диапазона по дальности равным 64 км</source>
        <translation>Sets the distance range to 64 km</translation>
    </message>
    <message>
        <source>10 нс</source>
        <translation>10 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 10 нс</source>
        <translation>Sets the probe pulse width to 10 ns</translation>
    </message>
    <message>
        <source>20 нс</source>
        <translation>20 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 20 нс</source>
        <translation>Sets the probe pulse width to 20 ns</translation>
    </message>
    <message>
        <source>50 нс</source>
        <translation>50 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 50 нс</source>
        <translation>Sets the probe pulse width to 50 ns</translation>
    </message>
    <message>
        <source>100 нс</source>
        <translation>100 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 100 нс</source>
        <translation>Sets the probe pulse width to 100 ns</translation>
    </message>
    <message>
        <source>200 нс</source>
        <translation>200 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 200 нс</source>
        <translation>Sets the probe pulse width to 200 ns</translation>
    </message>
    <message>
        <source>500 нс</source>
        <translation>500 ns</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 500 нс</source>
        <translation>Sets the probe pulse width to 500 ns</translation>
    </message>
    <message>
        <source>1 мкс</source>
        <translation>1 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 1 мкс</source>
        <translation>Sets the probe pulse width to 1 µs</translation>
    </message>
    <message>
        <source>2 мкс</source>
        <translation>2 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 2 мкс</source>
        <translation>Sets the probe pulse width to 2 µs</translation>
    </message>
    <message>
        <source>5 мкс</source>
        <translation>5 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 5 мкс</source>
        <translation>Sets the probe pulse width to 5 µs</translation>
    </message>
    <message>
        <source>10 мкс</source>
        <translation>10 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 10 мкс</source>
        <translation>Sets the probe pulse width to 10 µs</translation>
    </message>
    <message>
        <source>20 мкс</source>
        <translation>20 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 20 мкс</source>
        <translation>Sets the probe pulse width to 20 µs</translation>
    </message>
    <message>
        <source>50 мкс</source>
        <translation>50 µs</translation>
    </message>
    <message>
        <source>Установка длительности зондирующего импульса равным 50 мкс</source>
        <translation>Sets the probe pulse width to 50 µs</translation>
    </message>
    <message>
        <source>Параметры каналов</source>
        <translation>Channel parameters</translation>
    </message>
    <message>
        <source>Отображает параметры выводимых каналов</source>
        <translation>Shows the parameters of the displayed channels</translation>
    </message>
    <message>
        <source>Первый курсор</source>
        <translation>First cursor</translation>
    </message>
    <message>
        <source>Режим &quot;ЛУПА&quot; работает относительно первого курсора</source>
        <translation>The &quot;MAGNIFIER&quot; mode works around the first cursor</translation>
    </message>
    <message>
        <source>Второй курсор</source>
        <translation>Second cursor</translation>
    </message>
    <message>
        <source>Режим &quot;ЛУПА&quot; работает относительно второго курсора</source>
        <translation>The &quot;MAGNIFIER&quot; mode works around the second cursor</translation>
    </message>
    <message>
        <source>Аппроксимация каналов</source>
        <translation>Channel smoothing</translation>
    </message>
    <message>
        <source>Аппроксимация отображаемых каналов на графике</source>
        <translation>Smooths the displayed channels on the chart</translation>
    </message>
    <message>
        <source>Первый канал</source>
        <translation>First channel</translation>
    </message>
    <message>
        <source>Включение первого канала</source>
        <translation>Switches the first channel on</translation>
    </message>
    <message>
        <source>Сохранить первый канал...</source>
        <translation>Save first channel...</translation>
    </message>
    <message>
        <source>Сохраняет первый канал в память</source>
        <translation>Saves the first channel to memory</translation>
    </message>
    <message>
        <source>Сохранить...</source>
        <translation>Save...</translation>
    </message>
    <message>
        <source>Второй канал</source>
        <translation>Second channel</translation>
    </message>
    <message>
        <source>Включение второго канала</source>
        <translation>Switches the second channel on</translation>
    </message>
    <message>
        <source>Сохранить второй канал...</source>
        <translation>Save second channel...</translation>
    </message>
    <message>
        <source>Сохраняет второй канал в память</source>
        <translation>Saves the second channel to memory</translation>
    </message>
    <message>
        <source>Битость пар</source>
        <translation>Split pairs</translation>
    </message>
    <message>
        <source>Режим раздельного входа</source>
        <translation>Separate input mode</translation>
    </message>
    <message>
        <source>Режим “Битость пар”</source>
        <translation>“Split pairs” mode</translation>
    </message>
    <message>
        <source>Захват</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>Режим определения плавающих дефектов</source>
        <translation>Mode for finding intermittent faults</translation>
    </message>
    <message>
        <source>Режим “Захват”</source>
        <translation>“Capture” mode</translation>
    </message>
    <message>
        <source>Разность</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>Режим поточечного вычитания рефлектограмм</source>
        <translation>Point-by-point subtraction of reflectograms</translation>
    </message>
    <message>
        <source>Режим “Разность”</source>
        <translation>“Difference” mode</translation>
    </message>
    <message>
        <source>Двух экранный режим</source>
        <translation>Two-screen mode</translation>
    </message>
    <message>
        <source>Показывает над измерением обзорный экран всего диапазона</source>
        <translation>Shows an overview of the whole range above the measurement</translation>
    </message>
    <message>
        <source>Настройки каналов</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <source>Показывает справа параметры каналов и таблицу КУ</source>
        <translation>Shows the channel parameters and the KU table on the right</translation>
    </message>
    <message>
        <source>Память</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>Показывает внизу библиотеку рефлектограмм и сетки масштабов</source>
        <translation>Shows the reflectogram library and the scale grids at the bottom</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Открыть файл со скоростью распространения сигнала</source>
        <translation>Open a file of signal propagation velocities</translation>
    </message>
    <message>
        <source>Открыть новый файл со скоростью распространения сигнала</source>
        <translation>Open another file of signal propagation velocities</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Использовать выделенное значение в расчетах</source>
        <translation>Use the selected value in the calculations</translation>
    </message>
    <message>
        <source>Добавить КУ</source>
        <translation>Add KU</translation>
    </message>
    <message>
        <source>Добавить новое значение в таблицу</source>
        <translation>Add a new value to the table</translation>
    </message>
    <message>
        <source>Удалить КУ</source>
        <translation>Delete KU</translation>
    </message>
    <message>
        <source>Удалить выделенные значения из таблицы</source>
        <translation>Delete the selected values from the table</translation>
    </message>
    <message>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Запускает соединение с прибором VARNEL</source>
        <translation>Starts the connection with the VARNEL instrument</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Останавливает соедтнение с прибором VARNEL</source>
        <translation>Stops the connection with the VARNEL instrument</translation>
    </message>
    <message>
        <source>Лупа</source>
        <translation>Magnifier</translation>
    </message>
    <message>
        <source>Скроллер “мыши” управляет лупой, левая кнопка – смещением активного курсора  </source>
        <translation>The mouse wheel controls the magnifier, the left button moves the active cursor</translation>
    </message>
    <message>
        <source>Курсор 1</source>
        <translation>Cursor 1</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением курсора 1</source>
        <translation>The mouse wheel and the left button move cursor 1</translation>
    </message>
    <message>
        <source>Курсор 2</source>
        <translation>Cursor 2</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением курсора 2</source>
        <translation>The mouse wheel and the left button move cursor 2</translation>
    </message>
    <message>
        <source>Линия 1</source>
        <translation>Line 1</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением канала Л1</source>
        <translation>The mouse wheel and the left button shift channel L1</translation>
    </message>
    <message>
        <source>Линия 2</source>
        <translation>Line 2</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением канала Л2</source>
        <translation>The mouse wheel and the left button shift channel L2</translation>
    </message>
    <message>
        <source>Память 1</source>
        <translation>Memory 1</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П1</source>
        <translation>The mouse wheel and the left button shift memory M1</translation>
    </message>
    <message>
        <source>Память 2</source>
        <translation>Memory 2</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П2</source>
        <translation>The mouse wheel and the left button shift memory M2</translation>
    </message>
    <message>
        <source>Память 3</source>
        <translation>Memory 3</translation>
    </message>
    <message>
        <source>Скроллер “мыши” и левая кнопка управляет смещением памяти П3</source>
        <translation>The mouse wheel and the left button shift memory M3</translation>
    </message>
    <message>
        <source>Скорость распространения сигнала V/2</source>
        <translation>Signal propagation velocity V/2</translation>
    </message>
    <message>
        <source>Скорость распространения сигнала V/2 или КУ</source>
        <translation>Signal propagation velocity V/2 or KU</translation>
    </message>
    <message>
        <source>Обратные потери</source>
        <translation>Return loss</translation>
    </message>
    <message>
        <source>Найти события</source>
        <translation>Find events</translation>
    </message>
    <message>
        <source>Находит отражения выбранной линии или памяти и показывает их списком</source>
        <translation>Finds the reflections of the chosen line or memory and lists them</translation>
    </message>
    <message>
        <source>Калибровка КУ...</source>
        <translation>KU calibration...</translation>
    </message>
    <message>
        <source>Находит КУ кабеля известной длины по отражению от его конца</source>
        <translation>Finds the KU of a cable of known length from the reflection at its end</translation>
    </message>
    <message>
        <source>Калибровка КУ</source>
        <translation>KU calibration</translation>
    </message>
    <message>
        <source>Наблюдение...</source>
        <translation>Watch...</translation>
    </message>
    <message>
        <source>Следит за линией и сохраняет каждое изменение рефлектограммы</source>
        <translation>Watches the line and saves every change of the reflectogram</translation>
    </message>
    <message>
        <source>Наблюдение</source>
        <translation>Watch</translation>
    </message>
    <message>
        <source>Печатать таблицу событий</source>
        <translation>Print the event table</translation>
    </message>
    <message>
        <source>Печатает под показаниями отчета таблицу событий линии или памяти</source>
        <translation>Prints the event table of a line or memory below the report&apos;s readouts</translation>
    </message>
    <message>
        <source>Печать...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Печать отчета</source>
        <translation>Prints the report</translation>
    </message>
    <message>
        <source>Предварительный просмотр печати</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Сохранить отчет в PDF...</source>
        <translation>Save report as PDF...</translation>
    </message>
    <message>
        <source>Сохраняет отчет об измерении в файл PDF</source>
        <translation>Saves the measurement report to a PDF file</translation>
    </message>
    <message>
        <source>Сохранить отчет в PDF</source>
        <translation>Save report as PDF</translation>
    </message>
    <message>
        <source>Описание программы...</source>
        <translation>Program description...</translation>
    </message>
    <message>
        <source>Открывает описание программы</source>
        <translation>Opens the program description</translation>
    </message>
    <message>
        <source>Описание программы</source>
        <translation>Program description</translation>
    </message>
    <message>
        <source>Сайт программы</source>
        <translation>Program website</translation>
    </message>
    <message>
        <source>Открывает сайт программы VARNEL</source>
        <translation>Opens the VARNEL website</translation>
    </message>
    <message>
        <source>Напишите нам</source>
        <translation>Write to us</translation>
    </message>
    <message>
        <source>Открывает новое письмо разработчикам программы</source>
        <translation>Opens a new letter to the program&apos;s developers</translation>
    </message>
    <message>
        <source>Язык / Language</source>
        <translation>Язык / Language</translation>
    </message>
    <message>
        <source>Выбирает язык программы: он сменится при следующем запуске</source>
        <translation>Chooses the program&apos;s language: it changes at the next start</translation>
    </message>
    <message>
        <source>О программе...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>Сведения о программе и ее версии</source>
        <translation>About the program and its version</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Сетка масштабов с разными КУ</source>
        <translation>Scale grid with different KU</translation>
    </message>
    <message>
        <source>Использовать выбранную сетку масштабов</source>
        <translation>Use the chosen scale grid</translation>
    </message>
    <message>
        <source>Открыть новую папку с рефлектометрами</source>
        <translation>Open another folder of reflectograms</translation>
    </message>
    <message>
        <source>Включить просмотр выбранной рефлектограммы на канале П1</source>
        <translation>Show the selected reflectogram on channel M1</translation>
    </message>
    <message>
        <source>Включить просмотр выбранной рефлектограммы на канале П2</source>
        <translation>Show the selected reflectogram on channel M2</translation>
    </message>
    <message>
        <source>Включить просмотр выбранной рефлектограммы на канале П3</source>
        <translation>Show the selected reflectogram on channel M3</translation>
    </message>
    <message>
        <source>Включить предварительный просмотр рефлектограмм</source>
        <translation>Preview reflectograms</translation>
    </message>
    <message>
        <source>Открыть файлы с сетками масштабов</source>
        <translation>Open scale grid files</translation>
    </message>
    <message>
        <source>Создать новую сетку масштабов</source>
        <translation>Create a new scale grid</translation>
    </message>
    <message>
        <source>Добавить новый участок</source>
        <translation>Add a new section</translation>
    </message>
    <message>
        <source>Сохранить отредактированное значение</source>
        <translation>Save the edited value</translation>
    </message>
    <message>
        <source>Удалить выделенный участок</source>
        <translation>Delete the selected section</translation>
    </message>
    <message>
        <source>Локализация с двух концов...</source>
        <translation>Two-ended location...</translation>
    </message>
    <message>
        <source>Находит место повреждения и КУ линии известной длины по рефлектограммам с обоих ее концов</source>
        <translation>Finds the fault and the KU of a line of known length from reflectograms taken at both its ends</translation>
    </message>
    <message>
        <source>Локализация с двух концов</source>
        <translation>Two-ended location</translation>
    </message>
    <message>
        <source>Сравнить с эталоном</source>
        <translation>Compare with baseline</translation>
    </message>
    <message>
        <source>Сравнивает линию с эталонной рефлектограммой из памяти и показывает изменения</source>
        <translation>Compares the line with a baseline reflectogram in memory and lists the changes</translation>
    </message>
</context>
<context>
    <name>ContactLines</name>
    <message>
        <source>Программа VARNEL</source>
        <translation>VARNEL program</translation>
    </message>
    <message>
        <source>Сайт: https://varnel.example.org</source>
        <translation>Website: https://varnel.example.org</translation>
    </message>
    <message>
        <source>Почта: support@varnel.example.org</source>
        <translation>Mail: support@varnel.example.org</translation>
    </message>
</context>
<context>
    <name>EventTable</name>
    <message>
        <source>Конец линии</source>
        <translation>Line end</translation>
    </message>
    <message>
        <source>Положительное</source>
        <translation>Positive</translation>
    </message>
    <message>
        <source>Отрицательное</source>
        <translation>Negative</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Расстояние</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Амплитуда</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Обратные потери</source>
        <translation>Return loss</translation>
    </message>
    <message>
        <source>Повтор</source>
        <translation>Repeat</translation>
    </message>
</context>
<context>
    <name>LaunchOptions</name>
    <message>
        <source>Порт прибора: путь к устройству (/dev/ttyUSB0), &quot;auto&quot; (первый USB-мост прибора) или &quot;sim&quot; (встроенный имитатор прибора).</source>
        <translation>Instrument port: a device path (/dev/ttyUSB0), &quot;auto&quot; (the first USB bridge of the instrument) or &quot;sim&quot; (the built-in simulated instrument).</translation>
    </message>
    <message>
        <source>Начать измерение, как только откроется окно.</source>
        <translation>Start acquisition once the window is up.</translation>
    </message>
    <message>
        <source>Папка для param.ini и папки Save вместо обычных.</source>
        <translation>Folder for param.ini and the Save folder instead of the usual ones.</translation>
    </message>
    <message>
        <source>Язык программы: ru (русский) или en (английский); без него язык выбирают настройка &quot;Язык / Language&quot; и локаль.</source>
        <translation>The program&apos;s language: ru (Russian) or en (English); without it the &quot;Язык / Language&quot; setting and the locale choose.</translation>
    </message>
    <message>
        <source>Рефлектометр импульсный VARNEL</source>
        <translation>VARNEL pulse reflectometer</translation>
    </message>
    <message>
        <source>Неверный порт %1: %2</source>
        <translation>Bad --port %1: %2</translation>
    </message>
    <message>
        <source>Неверный язык %1: нужен ru или en</source>
        <translation>Bad --lang %1: ru or en is needed</translation>
    </message>
</context>
<context>
    <name>LibraryTexts</name>
    <message>
        <source>Название файла</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Масштаб</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Импульс</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Кол-во</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>V/2 участка</source>
        <translation>Section V/2</translation>
    </message>
    <message>
        <source>КУ участка</source>
        <translation>Section KU</translation>
    </message>
    <message>
        <source>№</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Название участка</source>
        <translation>Section name</translation>
    </message>
    <message>
        <source>Начало участка</source>
        <translation>Section start</translation>
    </message>
    <message>
        <source>Конец участка</source>
        <translation>Section end</translation>
    </message>
    <message>
        <source>Длинна участка</source>
        <translation>Section length</translation>
    </message>
    <message>
        <source>Рефлектограммы</source>
        <translation>Reflectograms</translation>
    </message>
    <message>
        <source>Сетки масштабов с разным КУ</source>
        <translation>Scale grids with different KU</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Выбранная рефлектограмма не найдена.
Откройте новую папку с рефлектограммами.</source>
        <translation>The selected reflectogram was not found.
Open another folder of reflectograms.</translation>
    </message>
    <message>
        <source>Не удалось записать файл участков</source>
        <translation>Could not write the section file</translation>
    </message>
    <message>
        <source>Не удалось прочитать файл участков</source>
        <translation>Could not read the section file</translation>
    </message>
    <message>
        <source>Файл участков был изменен другой программой.
Список участков обновлен, выберите участок еще раз.</source>
        <translation>The section file was changed by another program.
The section list has been updated; choose the section again.</translation>
    </message>
    <message>
        <source>Выбрать рефлектограммы</source>
        <translation>Choose reflectograms</translation>
    </message>
    <message>
        <source>Выбрать папку с участками</source>
        <translation>Choose the folder of sections</translation>
    </message>
    <message>
        <source>Введите имя сохраняемого файла</source>
        <translation>Enter the name of the file to save</translation>
    </message>
    <message>
        <source>Участок (*.pie)</source>
        <translation>Section (*.pie)</translation>
    </message>
    <message>
        <source>КУ</source>
        <translation>KU</translation>
    </message>
</context>
<context>
    <name>ReportReadouts</name>
    <message>
        <source>V/2              </source>
        <translation>V/2              </translation>
    </message>
    <message>
        <source>КУ               </source>
        <translation>KU               </translation>
    </message>
    <message>
        <source>Лупа           </source>
        <translation>Zoom            </translation>
    </message>
    <message>
        <source>Разрешение   </source>
        <translation>Resolution    </translation>
    </message>
    <message>
        <source>Начало микроплана </source>
        <translation>Window start     </translation>
    </message>
    <message>
        <source>К1               </source>
        <translation>K1               </translation>
    </message>
    <message>
        <source>К2               </source>
        <translation>K2               </translation>
    </message>
    <message>
        <source>L                 </source>
        <translation>L                 </translation>
    </message>
</context>
<context>
    <name>ToolIcons</name>
    <message>
        <source>Л1</source>
        <translation>L1</translation>
    </message>
    <message>
        <source>Л2</source>
        <translation>L2</translation>
    </message>
    <message>
        <source>БП</source>
        <translation>SP</translation>
    </message>
    <message>
        <source>ЗХ</source>
        <translation>CA</translation>
    </message>
    <message>
        <source>К1</source>
        <translation>K1</translation>
    </message>
    <message>
        <source>К2</source>
        <translation>K2</translation>
    </message>
    <message>
        <source>ОП</source>
        <translation>RL</translation>
    </message>
    <message>
        <source>2Э</source>
        <translation>2S</translation>
    </message>
    <message>
        <source>НК</source>
        <translation>CS</translation>
    </message>
    <message>
        <source>ПМ</source>
        <translation>ME</translation>
    </message>
    <message>
        <source>ПК</source>
        <translation>CP</translation>
    </message>
    <message>
        <source>ПЧ</source>
        <translation>PR</translation>
    </message>
    <message>
        <source>ПП</source>
        <translation>PV</translation>
    </message>
    <message>
        <source>СМ</source>
        <translation>SG</translation>
    </message>
    <message>
        <source>СБ</source>
        <translation>EV</translation>
    </message>
    <message>
        <source>КУ</source>
        <translation>KU</translation>
    </message>
    <message>
        <source>НБ</source>
        <translation>WA</translation>
    </message>
    <message>
        <source>Нов</source>
        <translation>New</translation>
    </message>
</context>
<context>
    <name>TraceNames</name>
    <message>
        <source>Л1</source>
        <translation>L1</translation>
    </message>
    <message>
        <source>Л2</source>
        <translation>L2</translation>
    </message>
    <message>
        <source>П1</source>
        <translation>M1</translation>
    </message>
    <message>
        <source>П2</source>
        <translation>M2</translation>
    </message>
    <message>
        <source>П3</source>
        <translation>M3</translation>
    </message>
</context>
<context>
    <name>Units</name>
    <message>
        <source>м</source>
        <translation>m</translation>
    </message>
    <message>
        <source>км</source>
        <translation>km</translation>
    </message>
    <message>
        <source>нс</source>
        <translation>ns</translation>
    </message>
    <message>
        <source>мкс</source>
        <translation>µs</translation>
    </message>
    <message>
        <source>дБ</source>
        <translation>dB</translation>
    </message>
    <message>
        <source>м/мкс</source>
        <translation>m/µs</translation>
    </message>
    <message>
        <source>отсч.</source>
        <translation>counts</translation>
    </message>
</context>
</TS>
