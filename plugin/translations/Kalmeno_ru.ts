<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>CDialogAboutProgram</name>
    <message>
        <source>About Kalmeno</source>
        <translation>О программе Kalmeno</translation>
    </message>
    <message>
        <source>Kalmeno</source>
        <translation>Kalmeno</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Версия %1</translation>
    </message>
    <message>
        <source>Version unknown</source>
        <translation>Версия неизвестна</translation>
    </message>
    <message>
        <source>Built for the %1 platform</source>
        <translation>Собрано для платформы %1</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>CMainWindow</name>
    <message>
        <source>Kalmeno</source>
        <translation>Kalmeno</translation>
    </message>
    <message>
        <source>List of models</source>
        <translation>Список моделей</translation>
    </message>
    <message>
        <source>Add MTM</source>
        <translation>Добавить МТМ</translation>
    </message>
    <message>
        <source>Merge MTM</source>
        <translation>Объединить МТМ</translation>
    </message>
    <message>
        <source>Generate MTM</source>
        <translation>Сгенерировать МТМ</translation>
    </message>
    <message>
        <source>MTM Values</source>
        <translation>Значения МТМ</translation>
    </message>
    <message>
        <source>Points</source>
        <translation>Точки</translation>
    </message>
    <message>
        <source>RCS parameters</source>
        <translation>Параметры ЭПР</translation>
    </message>
    <message>
        <source>Azimuth angle</source>
        <translation>Азимут</translation>
    </message>
    <message>
        <source>Elevation angle</source>
        <translation>Угол места</translation>
    </message>
    <message>
        <source>Remove from list</source>
        <translation>Удалить из списка</translation>
    </message>
    <message>
        <source>Create points</source>
        <translation>Создать точку</translation>
    </message>
    <message>
        <source>MTM generation parameters</source>
        <translation>Параметры генерации МТМ</translation>
    </message>
    <message>
        <source>Position of the MTM area</source>
        <translation>Положение области МТМ</translation>
    </message>
    <message>
        <source>Latitude:</source>
        <translation>Широта:</translation>
    </message>
    <message>
        <source>deg</source>
        <translation>град</translation>
    </message>
    <message>
        <source>Longitude:</source>
        <translation>Долгота:</translation>
    </message>
    <message>
        <source>Altitude:</source>
        <translation>Высота:</translation>
    </message>
    <message>
        <source>m</source>
        <translation>м</translation>
    </message>
    <message>
        <source>Number of elements per axis</source>
        <translation>Число элементов по осям</translation>
    </message>
    <message>
        <source>Axis X:</source>
        <translation>Ось X:</translation>
    </message>
    <message>
        <source>Axis Y:</source>
        <translation>Ось Y:</translation>
    </message>
    <message>
        <source>Axis Z:</source>
        <translation>Ось Z:</translation>
    </message>
    <message>
        <source>Rotation angles</source>
        <translation>Углы поворота</translation>
    </message>
    <message>
        <source>Course:</source>
        <translation>Курс:</translation>
    </message>
    <message>
        <source>Pitch:</source>
        <translation>Тангаж:</translation>
    </message>
    <message>
        <source>Roll:</source>
        <translation>Крен:</translation>
    </message>
    <message>
        <source>Angle step</source>
        <translation>Шаг по углам</translation>
    </message>
    <message>
        <source>Azimuth:</source>
        <translation>Азимут:</translation>
    </message>
    <message>
        <source>Elevation:</source>
        <translation>Угол места:</translation>
    </message>
    <message>
        <source>Size of the MTM generation area</source>
        <translation>Размеры области генерации МТМ</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Width &lt;span style=&quot;color:#0000ff;&quot;&gt;(Axis X)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Ширина &lt;span style=&quot;color:#0000ff;&quot;&gt;(ось X)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Length &lt;span style=&quot;color:#ff0000;&quot;&gt;(Axis Y)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Длина &lt;span style=&quot;color:#ff0000;&quot;&gt;(ось Y)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Height &lt;span style=&quot;color:#008000;&quot;&gt;(Axis Z)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Высота &lt;span style=&quot;color:#008000;&quot;&gt;(ось Z)&lt;/span&gt;:&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Polarization</source>
        <translation>Поляризация</translation>
    </message>
    <message>
        <source>Ellipticity coefficient:</source>
        <translation>Коэффициент эллиптичности:</translation>
    </message>
    <message>
        <source>Угол ориентации большой оси в поляризационном базисе</source>
        <translation>Угол ориентации большой оси в поляризационном базисе</translation>
    </message>
    <message>
        <source>Axis orientation angle:</source>
        <translation>Угол ориентации оси:</translation>
    </message>
    <message>
        <source>rad</source>
        <translation>рад</translation>
    </message>
    <message>
        <source>RLS wavelength:</source>
        <translation>Длина волны РЛС:</translation>
    </message>
    <message>
        <source>MTM view settings</source>
        <translation>Настройки отображения МТМ</translation>
    </message>
    <message>
        <source>MTM dot color</source>
        <translation>Цвет точек МТМ</translation>
    </message>
    <message>
        <source>Dot size</source>
        <translation>Размер точек</translation>
    </message>
    <message>
        <source>3D RCS</source>
        <translation>3D ЭПР</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>Панель инструментов</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Открыть</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save all</source>
        <translation>Сохранить все</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>Logs panel</source>
        <translation>Панель журнала</translation>
    </message>
    <message>
        <source>Ctrl+L</source>
        <translation>Ctrl+L</translation>
    </message>
    <message>
        <source>Underlying surface</source>
        <translation>Подстилающая поверхность</translation>
    </message>
    <message>
        <source>Ctrl+U</source>
        <translation>Ctrl+U</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Текстуры</translation>
    </message>
    <message>
        <source>Ctrl+T</source>
        <translation>Ctrl+T</translation>
    </message>
    <message>
        <source>Lighting</source>
        <translation>Освещение</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>Polygonal models</source>
        <translation>Полигональные модели</translation>
    </message>
    <message>
        <source>Ctrl+M</source>
        <translation>Ctrl+M</translation>
    </message>
    <message>
        <source>Show hidden points</source>
        <translation>Показывать скрытые точки</translation>
    </message>
    <message>
        <source>Ctrl+D</source>
        <translation>Ctrl+D</translation>
    </message>
    <message>
        <source>МТМ generation area</source>
        <translation>Область генерации МТМ</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>Recording of calculated MTM data</source>
        <translation>Запись исходных данных расчёта МТМ</translation>
    </message>
    <message>
        <source>Ctrl+Alt+L</source>
        <translation>Ctrl+Alt+L</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Ctrl+I</source>
        <translation>Ctrl+I</translation>
    </message>
    <message>
        <source>Shift+Ctrl+D</source>
        <translation>Shift+Ctrl+D</translation>
    </message>
    <message>
        <source>Select the initial state file</source>
        <translation>Выберите файл начального состояния</translation>
    </message>
    <message>
        <source>The visibility of the surface is enabled</source>
        <translation>Отображение подстилающей поверхности включено</translation>
    </message>
    <message>
        <source>The visibility of the surface is disabled</source>
        <translation>Отображение подстилающей поверхности выключено</translation>
    </message>
    <message>
        <source>The visibility of the scene textures is enabled</source>
        <translation>Отображение текстур сцены включено</translation>
    </message>
    <message>
        <source>The visibility of the scene textures is disabled</source>
        <translation>Отображение текстур сцены выключено</translation>
    </message>
    <message>
        <source>The visibility of the scene light is enabled</source>
        <translation>Освещение сцены включено</translation>
    </message>
    <message>
        <source>The visibility of the scene light is disabled</source>
        <translation>Освещение сцены выключено</translation>
    </message>
    <message>
        <source>The visibility of the polygonal models are enabled</source>
        <translation>Отображение полигональных моделей включено</translation>
    </message>
    <message>
        <source>The visibility of the polygonal models are disabled</source>
        <translation>Отображение полигональных моделей выключено</translation>
    </message>
    <message>
        <source>The visibility of the hidden points are enabled</source>
        <translation>Отображение скрытых точек включено</translation>
    </message>
    <message>
        <source>The visibility of the hidden points are disabled</source>
        <translation>Отображение скрытых точек выключено</translation>
    </message>
    <message>
        <source>The visibility of the MTM generation area is enabled</source>
        <translation>Отображение области генерации МТМ включено</translation>
    </message>
    <message>
        <source>The visibility of the MTM generation area is disabled</source>
        <translation>Отображение области генерации МТМ выключено</translation>
    </message>
    <message>
        <source>The MTM calculation data recording mode is enabled</source>
        <translation>Режим записи исходных данных расчёта МТМ включён</translation>
    </message>
    <message>
        <source>The MTM calculation data recording mode is disabled</source>
        <translation>Режим записи исходных данных расчёта МТМ выключен</translation>
    </message>
    <message>
        <source>Couldn&apos;t add a new object. An MTM with that name already exists in the list.</source>
        <translation>Не удалось добавить новый объект. МТМ с таким именем уже есть в списке.</translation>
    </message>
    <message>
        <source>File open</source>
        <translation>Открытие файла</translation>
    </message>
    <message>
        <source>The file %1 could not be opened. It probably has the wrong format.</source>
        <translation>Не удалось открыть файл %1. Вероятно, у него неверный формат.</translation>
    </message>
    <message>
        <source>The MTM %1 file has been successfully read</source>
        <translation>Файл МТМ %1 успешно прочитан</translation>
    </message>
    <message>
        <source>Select MTM files</source>
        <translation>Выберите файлы МТМ</translation>
    </message>
    <message>
        <source>MTM files (*.mtm)</source>
        <translation>Файлы МТМ (*.mtm)</translation>
    </message>
    <message>
        <source>The MTM file could not be read </source>
        <translation>Не удалось прочитать файл МТМ </translation>
    </message>
    <message>
        <source>Saving changes</source>
        <translation>Сохранение изменений</translation>
    </message>
    <message>
        <source> Saving the MTM of the object &quot;%1&quot; is possible if there are 1 or more points!</source>
        <translation>МТМ объекта «%1» можно сохранить, только если в ней есть хотя бы одна точка!</translation>
    </message>
    <message>
        <source>The library function could not be called Ostrell.dll . Saving the MTM is not possible.</source>
        <translation>Не удалось вызвать функцию библиотеки Ostrell.dll. Сохранение МТМ невозможно.</translation>
    </message>
    <message>
        <source>MTM is saved in </source>
        <translation>МТМ сохранена в файле </translation>
    </message>
    <message>
        <source>Error!</source>
        <translation>Ошибка!</translation>
    </message>
    <message>
        <source>An error occurred while saving the MTM object &quot;%1&quot;</source>
        <translation>При сохранении МТМ объекта «%1» произошла ошибка</translation>
    </message>
    <message>
        <source>An error occurred while saving MTM %1</source>
        <translation>При сохранении МТМ %1 произошла ошибка</translation>
    </message>
    <message>
        <source>Save everything</source>
        <translation>Сохранить всё</translation>
    </message>
    <message>
        <source>Changes in all models will be saved.</source>
        <translation>Изменения во всех моделях будут сохранены.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>All MTMS are saved</source>
        <translation>Все МТМ сохранены</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>The library function could not be called Ostrell.dll . Creating an MTM is not possible.</source>
        <translation>Не удалось вызвать функцию библиотеки Ostrell.dll. Создание МТМ невозможно.</translation>
    </message>
    <message>
        <source>The object is empty. Conversion to MTM is not possible</source>
        <translation>Объект пуст. Преобразование в МТМ невозможно</translation>
    </message>
    <message>
        <source>Saving MTM</source>
        <translation>Сохранение МТМ</translation>
    </message>
    <message>
        <source>Getting triangles...</source>
        <translation>Получение треугольников...</translation>
    </message>
    <message>
        <source>Stop transforming to MTM</source>
        <translation>Остановка генерации МТМ</translation>
    </message>
    <message>
        <source>Are you sure you want to stop the generation of MTM? This can lead to unforeseen consequences.</source>
        <translation>Вы действительно хотите остановить генерацию МТМ? Это может привести к непредвиденным последствиям.</translation>
    </message>
    <message>
        <source>Generation stopped</source>
        <translation>Генерация остановлена</translation>
    </message>
    <message>
        <source>Calculation of MTM...</source>
        <translation>Расчёт МТМ...</translation>
    </message>
    <message>
        <source>There are no vertices to calculate in the MTM generation area. MTM generation will not be performed</source>
        <translation>В области генерации МТМ нет вершин для расчёта. Генерация МТМ выполнена не будет</translation>
    </message>
    <message>
        <source>The MTM calculation has been completed successfully!</source>
        <translation>Расчёт МТМ успешно завершён!</translation>
    </message>
    <message>
        <source>An error occurred during execution</source>
        <translation>Во время выполнения произошла ошибка</translation>
    </message>
    <message>
        <source>Failed to create MTM </source>
        <translation>Не удалось создать МТМ </translation>
    </message>
    <message>
        <source>The creation of the MTM model %1 took %2 seconds</source>
        <translation>Создание МТМ %1 заняло %2 с</translation>
    </message>
    <message>
        <source>The Feltrane library was not found. MTM generation will not be available</source>
        <translation>Библиотека Feltrane не найдена. Генерация МТМ будет недоступна</translation>
    </message>
    <message>
        <source>The number of elements per axis and the angle steps must be greater than zero. MTM generation will not be performed</source>
        <translation>Число элементов по осям и шаги по углам должны быть больше нуля. Генерация МТМ выполнена не будет</translation>
    </message>
    <message>
        <source>The host is still busy with an earlier request for triangles. MTM generation will not be performed</source>
        <translation>Хост ещё занят предыдущим запросом треугольников. Генерация МТМ выполнена не будет</translation>
    </message>
    <message>
        <source>MTM generation stopped after an error: %1</source>
        <translation>Генерация МТМ остановлена из-за ошибки: %1</translation>
    </message>
    <message>
        <source>Calculation of MTM... %1%</source>
        <translation>Расчёт МТМ... %1%</translation>
    </message>
    <message>
        <source>MTMs were merged in </source>
        <translation>МТМ объединены в файл </translation>
    </message>
    <message>
        <source>Can&apos;t merge MTM</source>
        <translation>Не удалось объединить МТМ</translation>
    </message>
</context>
<context>
    <name>CTableModel</name>
    <message>
        <source> </source>
        <translation> </translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>y</source>
        <translation>y</translation>
    </message>
    <message>
        <source>z</source>
        <translation>z</translation>
    </message>
    <message>
        <source>RCS val.</source>
        <translation>ЭПР, действ.</translation>
    </message>
    <message>
        <source>RCS img.</source>
        <translation>ЭПР, мним.</translation>
    </message>
</context>
<context>
    <name>ColorBarWidget</name>
    <message>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
</context>
<context>
    <name>MergeMtmSettings</name>
    <message>
        <source>MTM Merging Settings</source>
        <translation>Параметры объединения МТМ</translation>
    </message>
    <message>
        <source>Base MTM</source>
        <translation>Базовая МТМ</translation>
    </message>
    <message>
        <source>Output file</source>
        <translation>Выходной файл</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Anchor Points and MTM Models</source>
        <translation>Опорные точки и модели МТМ</translation>
    </message>
    <message>
        <source>Add MTM</source>
        <translation>Добавить МТМ</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>MTM Model</source>
        <translation>Модель МТМ</translation>
    </message>
    <message>
        <source>X (m)</source>
        <translation>X (м)</translation>
    </message>
    <message>
        <source>Y (m)</source>
        <translation>Y (м)</translation>
    </message>
    <message>
        <source>Z (m)</source>
        <translation>Z (м)</translation>
    </message>
    <message>
        <source>-- Select base MTM --</source>
        <translation>-- Выберите базовую МТМ --</translation>
    </message>
    <message>
        <source>Save MTM</source>
        <translation>Сохранить МТМ</translation>
    </message>
    <message>
        <source>MTM files (*.mtm)</source>
        <translation>Файлы МТМ (*.mtm)</translation>
    </message>
    <message>
        <source>No MTM models available to add</source>
        <translation>Нет моделей МТМ, которые можно добавить</translation>
    </message>
    <message>
        <source>Select MTM Model</source>
        <translation>Выбор модели МТМ</translation>
    </message>
    <message>
        <source>Select MTM model:</source>
        <translation>Выберите модель МТМ:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Merge MTM</source>
        <translation>Объединение МТМ</translation>
    </message>
    <message>
        <source>Select a base MTM model</source>
        <translation>Выберите базовую модель МТМ</translation>
    </message>
    <message>
        <source>Specify the output file name</source>
        <translation>Укажите имя выходного файла</translation>
    </message>
    <message>
        <source>Add at least one MTM model</source>
        <translation>Добавьте хотя бы одну модель МТМ</translation>
    </message>
</context>
<context>
    <name>OnEnginePreLoad</name>
    <message>
        <source>The XOR module is missing or could not load. MTM generation will not be available.</source>
        <translation>Модуль XOR отсутствует или не загрузился. Генерация МТМ будет недоступна.</translation>
    </message>
</context>
<context>
    <name>createPtrFuncDll</name>
    <message>
        <source>Library loading error</source>
        <translation>Ошибка загрузки библиотеки</translation>
    </message>
    <message>
        <source>The library could not be loaded </source>
        <translation>Не удалось загрузить библиотеку </translation>
    </message>
    <message>
        <source>Error loading the function</source>
        <translation>Ошибка загрузки функции</translation>
    </message>
    <message>
        <source>The function pointer could not be found </source>
        <translation>Не удалось найти указатель на функцию </translation>
    </message>
    <message>
        <source> in the library </source>
        <translation> в библиотеке </translation>
    </message>
</context>
</TS>
