<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>AclAddDialog</name>
    <message>
        <source>ACL rule</source>
        <translation>Правило доступа</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Разрешить</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Запретить</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Enter resource string</source>
        <translation>Введите строку ресурса</translation>
    </message>
</context>
<context>
    <name>AclRequireDialog</name>
    <message>
        <source>Authentication is required for</source>
        <translation>Требование аутентификации</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Any valid user</source>
        <translation>Любой действительный пользователь</translation>
    </message>
    <message>
        <source>User or group:</source>
        <translation>Пользователь или группа:</translation>
    </message>
</context>
<context>
    <name>AclWidget</name>
    <message>
        <source>Access rules</source>
        <translation>Правила доступа</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Order:</source>
        <translation>Порядок:</translation>
    </message>
    <message>
        <source>Satisfy:</source>
        <translation>Условия:</translation>
    </message>
    <message>
        <source>Authentication type:</source>
        <translation>Тип аутентификации:</translation>
    </message>
    <message>
        <source>Encryption:</source>
        <translation>Шифрование:</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Ресурс</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Действие</translation>
    </message>
    <message>
        <source>Authentication is required for</source>
        <translation>Требование аутентификации</translation>
    </message>
    <message>
        <source>Authenticated user must be one of the named users or groups that follow:</source>
        <translation>Аутентифицированный пользователь должен входить в число следующих пользователей или групп:</translation>
    </message>
    <message>
        <source>Authenticated user must be one of the named users or groups that follow</source>
        <translation>Аутентифицированный пользователь должен входить в число следующих пользователей или групп</translation>
    </message>
    <message>
        <source>Allow,deny</source>
        <translation>Разрешить, запретить</translation>
    </message>
    <message>
        <source>Deny,allow</source>
        <translation>Запретить, разрешить</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Все</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Любое</translation>
    </message>
    <message>
        <source>If requested</source>
        <translation>По запросу</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Обязательно</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Digest</source>
        <translation>Digest</translation>
    </message>
    <message>
        <source>Basic digest</source>
        <translation>Basic digest</translation>
    </message>
    <message>
        <source>Negotiate</source>
        <translation>Negotiate</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Запретить</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Разрешить</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Any valid user</source>
        <translation>Любой действительный пользователь</translation>
    </message>
</context>
<context>
    <name>AddEditDelTreeWidget</name>
    <message>
        <source>Add...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Edit...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>AutodetectSelectionPage</name>
    <message>
        <source>File printer</source>
        <translation>Вывод в файл</translation>
    </message>
    <message>
        <source>Direct printer</source>
        <translation>Локальный принтер</translation>
    </message>
    <message>
        <source>Serial printer</source>
        <translation>Принтер на последовательном порту</translation>
    </message>
    <message>
        <source>Network printer</source>
        <translation>Сетевой принтер</translation>
    </message>
    <message>
        <source>Select printer</source>
        <translation>Выбор принтера</translation>
    </message>
    <message>
        <source>Select auto founded printer in list, or select custom backend printer add</source>
        <translation>Выберите в списке автоматически найденный принтер или добавьте принтер с другим способом подключения</translation>
    </message>
    <message>
        <source>Searching devices...</source>
        <translation>Поиск устройств...</translation>
    </message>
    <message>
        <source>Select printer device</source>
        <translation>Выберите устройство печати</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Device class</source>
        <translation>Класс устройства</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Device URI</source>
        <translation>URI устройства</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Другое</translation>
    </message>
    <message>
        <source>Cups-Get-Devices failed!</source>
        <translation>Ошибка запроса CUPS-Get-Devices!</translation>
    </message>
    <message>
        <source>Can not get devices information from CUPS server!</source>
        <translation>Не удалось получить сведения об устройствах от сервера CUPS!</translation>
    </message>
</context>
<context>
    <name>BrowsePollDialog</name>
    <message>
        <source>Poll</source>
        <translation>Опрос</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Узел</translation>
    </message>
</context>
<context>
    <name>BrowseRelayDialog</name>
    <message>
        <source>Relay</source>
        <translation>Ретрансляция</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Откуда</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Куда</translation>
    </message>
</context>
<context>
    <name>ClassMembers</name>
    <message>
        <source>Class members</source>
        <translation>Члены класса</translation>
    </message>
    <message>
        <source>Excluded members</source>
        <translation>Не входят в класс</translation>
    </message>
    <message>
        <source>Included members</source>
        <translation>Входят в класс</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Include the selected printers</source>
        <translation>Включить выбранные принтеры</translation>
    </message>
    <message>
        <source>Exclude the selected printers</source>
        <translation>Исключить выбранные принтеры</translation>
    </message>
</context>
<context>
    <name>ClassMembersPage</name>
    <message>
        <source>Select members of class</source>
        <translation>Выбор членов класса</translation>
    </message>
    <message>
        <source>Move printers, which you want to add to class, from left list to right list</source>
        <translation>Перенесите принтеры, которые нужно включить в класс, из левого списка в правый</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Add the selected printers to the class</source>
        <translation>Добавить выбранные принтеры в класс</translation>
    </message>
    <message>
        <source>Remove the selected printers from the class</source>
        <translation>Убрать выбранные принтеры из класса</translation>
    </message>
</context>
<context>
    <name>ConfigNode</name>
    <message>
        <source>IO error. Unable to open file.</source>
        <translation>Ошибка ввода-вывода. Не удалось открыть файл.</translation>
    </message>
    <message>
        <source>IO error. Unable to read file.</source>
        <translation>Ошибка ввода-вывода. Не удалось прочитать файл.</translation>
    </message>
    <message>
        <source>IO error. Unable to write file.</source>
        <translation>Ошибка ввода-вывода. Не удалось записать файл.</translation>
    </message>
</context>
<context>
    <name>Cups::IPP</name>
    <message>
        <source>Printer class</source>
        <translation>Класс принтеров</translation>
    </message>
    <message>
        <source>Remote printer</source>
        <translation>Удалённый принтер</translation>
    </message>
    <message>
        <source>Can print black</source>
        <translation>Чёрно-белая печать</translation>
    </message>
    <message>
        <source>Can print color</source>
        <translation>Цветная печать</translation>
    </message>
    <message>
        <source>Can print on both sides of the page</source>
        <translation>Двусторонняя печать</translation>
    </message>
    <message>
        <source>Can staple output</source>
        <translation>Сшивание скобами</translation>
    </message>
    <message>
        <source>Can make fast copies</source>
        <translation>Быстрое изготовление копий</translation>
    </message>
    <message>
        <source>Can collate copies</source>
        <translation>Подбор копий</translation>
    </message>
    <message>
        <source>Can punch output</source>
        <translation>Перфорация</translation>
    </message>
    <message>
        <source>Can cover output</source>
        <translation>Обложки</translation>
    </message>
    <message>
        <source>Can bind output</source>
        <translation>Переплёт</translation>
    </message>
    <message>
        <source>Can sort output</source>
        <translation>Сортировка отпечатков</translation>
    </message>
    <message>
        <source>Can print on small media (up to A4/Letter)</source>
        <translation>Печать на малых форматах (до A4/Letter)</translation>
    </message>
    <message>
        <source>Can print on medium media (up to A3/Tabloid)</source>
        <translation>Печать на средних форматах (до A3/Tabloid)</translation>
    </message>
    <message>
        <source>Can print on large media (over A3/Tabloid)</source>
        <translation>Печать на больших форматах (больше A3/Tabloid)</translation>
    </message>
    <message>
        <source>Can print on media of variable sizes</source>
        <translation>Печать на носителях произвольного размера</translation>
    </message>
    <message>
        <source>Implicit class</source>
        <translation>Неявный класс</translation>
    </message>
    <message>
        <source>Default destination of the server</source>
        <translation>Назначение сервера по умолчанию</translation>
    </message>
    <message>
        <source>Fax</source>
        <translation>Факс</translation>
    </message>
    <message>
        <source>Rejecting jobs</source>
        <translation>Отклоняет задания</translation>
    </message>
    <message>
        <source>Being deleted</source>
        <translation>Удаляется</translation>
    </message>
    <message>
        <source>Not shared</source>
        <translation>Без общего доступа</translation>
    </message>
    <message>
        <source>Requires authentication</source>
        <translation>Требует аутентификации</translation>
    </message>
    <message>
        <source>Supports maintenance commands</source>
        <translation>Поддерживает служебные команды</translation>
    </message>
    <message>
        <source>Discovered on the network</source>
        <translation>Обнаружен в сети</translation>
    </message>
    <message>
        <source>Scanner</source>
        <translation>Сканер</translation>
    </message>
    <message>
        <source>Multi-function device</source>
        <translation>Многофункциональное устройство</translation>
    </message>
    <message>
        <source>3D printer</source>
        <translation>3D-принтер</translation>
    </message>
</context>
<context>
    <name>CupsdConfDialog</name>
    <message>
        <source>Server</source>
        <translation>Сервер</translation>
    </message>
    <message>
        <source>Server name:</source>
        <translation>Имя сервера:</translation>
    </message>
    <message>
        <source>Server administrator:</source>
        <translation>Администратор сервера:</translation>
    </message>
    <message>
        <source>Classification:</source>
        <translation>Гриф секретности:</translation>
    </message>
    <message>
        <source>Override</source>
        <translation>Разрешить замену</translation>
    </message>
    <message>
        <source>Default charset:</source>
        <translation>Кодировка по умолчанию:</translation>
    </message>
    <message>
        <source>Default language:</source>
        <translation>Язык по умолчанию:</translation>
    </message>
    <message>
        <source>Server tokens:</source>
        <translation>Сведения о сервере:</translation>
    </message>
    <message>
        <source>Printcap:</source>
        <translation>Файл printcap:</translation>
    </message>
    <message>
        <source>Printcap format:</source>
        <translation>Формат printcap:</translation>
    </message>
    <message>
        <source>Printcap GUI:</source>
        <translation>GUI для printcap:</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Сеть</translation>
    </message>
    <message>
        <source>Host name lookups:</source>
        <translation>Поиск имён узлов:</translation>
    </message>
    <message>
        <source>Keep alive</source>
        <translation>Поддерживать соединение</translation>
    </message>
    <message>
        <source>Keep alive timeout:</source>
        <translation>Тайм-аут соединения:</translation>
    </message>
    <message>
        <source> sec</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Maximum clients:</source>
        <translation>Максимум клиентов:</translation>
    </message>
    <message>
        <source>Maximum clients per host:</source>
        <translation>Максимум клиентов с одного узла:</translation>
    </message>
    <message>
        <source>Request size limit:</source>
        <translation>Предел размера запроса:</translation>
    </message>
    <message>
        <source>Timeout:</source>
        <translation>Тайм-аут:</translation>
    </message>
    <message>
        <source>GSS service name:</source>
        <translation>Имя службы GSS:</translation>
    </message>
    <message>
        <source>Listen</source>
        <translation>Прослушивание</translation>
    </message>
    <message>
        <source>Destination</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
    <message>
        <source>Security</source>
        <translation>Безопасность</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Remote root user:</source>
        <translation>Имя удалённого root:</translation>
    </message>
    <message>
        <source>Server certificate:</source>
        <translation>Сертификат сервера:</translation>
    </message>
    <message>
        <source>Root certificate duration:</source>
        <translation>Срок действия root-сертификата:</translation>
    </message>
    <message>
        <source>Server key:</source>
        <translation>Ключ сервера:</translation>
    </message>
    <message>
        <source>Configuration file permissions:</source>
        <translation>Права файлов конфигурации:</translation>
    </message>
    <message>
        <source>Default encryption:</source>
        <translation>Шифрование по умолчанию:</translation>
    </message>
    <message>
        <source>Default authentication type:</source>
        <translation>Тип аутентификации по умолчанию:</translation>
    </message>
    <message>
        <source>DefaultShared</source>
        <translation>Общий доступ к новым принтерам (DefaultShared)</translation>
    </message>
    <message>
        <source>System group</source>
        <translation>Системная группа</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Locations</source>
        <translation>Расположения</translation>
    </message>
    <message>
        <source>Policy</source>
        <translation>Политика</translation>
    </message>
    <message>
        <source>Default policy:</source>
        <translation>Политика по умолчанию:</translation>
    </message>
    <message>
        <source>Logging</source>
        <translation>Журналы</translation>
    </message>
    <message>
        <source>Access log:</source>
        <translation>Журнал доступа:</translation>
    </message>
    <message>
        <source>Error log:</source>
        <translation>Журнал ошибок:</translation>
    </message>
    <message>
        <source>Page log:</source>
        <translation>Журнал страниц:</translation>
    </message>
    <message>
        <source>Maximum log size:</source>
        <translation>Максимальный размер журнала:</translation>
    </message>
    <message>
        <source>Log level:</source>
        <translation>Уровень журнала:</translation>
    </message>
    <message>
        <source>Log file permissions:</source>
        <translation>Права файлов журналов:</translation>
    </message>
    <message>
        <source>Listen back log:</source>
        <translation>Очередь подключений:</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Задания</translation>
    </message>
    <message>
        <source>Preserve job history</source>
        <translation>Хранить историю заданий</translation>
    </message>
    <message>
        <source>Preserve job files</source>
        <translation>Хранить файлы заданий</translation>
    </message>
    <message>
        <source>Automatically purge jobs</source>
        <translation>Автоматически удалять задания</translation>
    </message>
    <message>
        <source>Maximum jobs:</source>
        <translation>Максимум заданий:</translation>
    </message>
    <message>
        <source>Maximum jobs per printer:</source>
        <translation>Максимум заданий на принтер:</translation>
    </message>
    <message>
        <source>Maximum jobs per user:</source>
        <translation>Максимум заданий на пользователя:</translation>
    </message>
    <message>
        <source>Maximum copies:</source>
        <translation>Максимум копий:</translation>
    </message>
    <message>
        <source>Job retry limit:</source>
        <translation>Число повторных попыток:</translation>
    </message>
    <message>
        <source>Job retry interval:</source>
        <translation>Интервал между попытками:</translation>
    </message>
    <message>
        <source>Error policy:</source>
        <translation>Политика при ошибках:</translation>
    </message>
    <message>
        <source>Reload timeout:</source>
        <translation>Тайм-аут перезапуска:</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтры</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>Group:</source>
        <translation>Группа:</translation>
    </message>
    <message>
        <source>RIP cache:</source>
        <translation>Кэш RIP:</translation>
    </message>
    <message>
        <source>Filter limit:</source>
        <translation>Предел фильтров:</translation>
    </message>
    <message>
        <source>Filter nice value:</source>
        <translation>Приоритет фильтров (nice):</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Каталоги</translation>
    </message>
    <message>
        <source>Data directory:</source>
        <translation>Каталог данных:</translation>
    </message>
    <message>
        <source>Document root:</source>
        <translation>Корень документов:</translation>
    </message>
    <message>
        <source>Request root:</source>
        <translation>Каталог запросов:</translation>
    </message>
    <message>
        <source>Server binaries:</source>
        <translation>Программы сервера:</translation>
    </message>
    <message>
        <source>Server root:</source>
        <translation>Корень сервера:</translation>
    </message>
    <message>
        <source>Temporary files:</source>
        <translation>Временные файлы:</translation>
    </message>
    <message>
        <source>Fonts path</source>
        <translation>Пути к шрифтам</translation>
    </message>
    <message>
        <source>Browsing</source>
        <translation>Обзор сети</translation>
    </message>
    <message>
        <source>Enable network printer browsing</source>
        <translation>Включить обзор сетевых принтеров</translation>
    </message>
    <message>
        <source>Browse interval:</source>
        <translation>Интервал объявлений:</translation>
    </message>
    <message>
        <source>Browse timeout:</source>
        <translation>Тайм-аут обзора:</translation>
    </message>
    <message>
        <source>Order of access control:</source>
        <translation>Порядок контроля доступа:</translation>
    </message>
    <message>
        <source>Browse port:</source>
        <translation>Порт обзора:</translation>
    </message>
    <message>
        <source>Implicit classes</source>
        <translation>Неявные классы</translation>
    </message>
    <message>
        <source>Also for local printers of the same name (&quot;Any&quot; classes)</source>
        <translation>Также для локальных принтеров с тем же именем (классы «Any»)</translation>
    </message>
    <message>
        <source>Hide the members of implicit classes</source>
        <translation>Скрывать членов неявных классов</translation>
    </message>
    <message>
        <source>Use short names for remote printers</source>
        <translation>Использовать короткие имена удалённых принтеров</translation>
    </message>
    <message>
        <source>Use the default printer of the network</source>
        <translation>Использовать сетевой принтер по умолчанию</translation>
    </message>
    <message>
        <source>Polls</source>
        <translation>Опросы</translation>
    </message>
    <message>
        <source>Resource</source>
        <translation>Ресурс</translation>
    </message>
    <message>
        <source>ACL</source>
        <translation>ACL</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Правило</translation>
    </message>
    <message>
        <source>Relays</source>
        <translation>Ретрансляция</translation>
    </message>
    <message>
        <source>From</source>
        <translation>Откуда</translation>
    </message>
    <message>
        <source>To</source>
        <translation>Куда</translation>
    </message>
    <message>
        <source>Protocols</source>
        <translation>Протоколы</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Прочее</translation>
    </message>
    <message>
        <source>LDAP bind DN:</source>
        <translation>DN привязки LDAP:</translation>
    </message>
    <message>
        <source>LDAP DN:</source>
        <translation>LDAP DN:</translation>
    </message>
    <message>
        <source>LDAP password:</source>
        <translation>Пароль LDAP:</translation>
    </message>
    <message>
        <source>LDAP server:</source>
        <translation>Сервер LDAP:</translation>
    </message>
    <message>
        <source>Local options:</source>
        <translation>Локальные параметры:</translation>
    </message>
    <message>
        <source>Remote options:</source>
        <translation>Удалённые параметры:</translation>
    </message>
    <message>
        <source>Enable File Devices</source>
        <translation>Разрешить файловые устройства</translation>
    </message>
    <message>
        <source>Pass Environment Variables</source>
        <translation>Передавать переменные окружения</translation>
    </message>
    <message>
        <source>Include</source>
        <translation>Включаемые файлы</translation>
    </message>
    <message>
        <source>Set Environment Variables Values:</source>
        <translation>Задать значения переменных окружения:</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Server configuration</source>
        <translation>Настройка сервера</translation>
    </message>
    <message>
        <source>Unclassified</source>
        <translation>Не секретно</translation>
    </message>
    <message>
        <source>Classified</source>
        <translation>Для служебного пользования</translation>
    </message>
    <message>
        <source>Confidential</source>
        <translation>Конфиденциально</translation>
    </message>
    <message>
        <source>Secret</source>
        <translation>Секретно</translation>
    </message>
    <message>
        <source>Topsecret</source>
        <translation>Совершенно секретно</translation>
    </message>
    <message>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <source>CP-1251</source>
        <translation>CP-1251</translation>
    </message>
    <message>
        <source>ISO-8859-1</source>
        <translation>ISO-8859-1</translation>
    </message>
    <message>
        <source>ISO-8859-5</source>
        <translation>ISO-8859-5</translation>
    </message>
    <message>
        <source>English (US)</source>
        <translation>Английский (США)</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>BSD</source>
        <translation>BSD</translation>
    </message>
    <message>
        <source>Solaris</source>
        <translation>Solaris</translation>
    </message>
    <message>
        <source>Minimal</source>
        <translation>Минимальные</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Никаких</translation>
    </message>
    <message>
        <source>Product only</source>
        <translation>Только продукт</translation>
    </message>
    <message>
        <source>Major</source>
        <translation>Старший номер версии</translation>
    </message>
    <message>
        <source>Minor</source>
        <translation>Младший номер версии</translation>
    </message>
    <message>
        <source>OS</source>
        <translation>Версия и ОС</translation>
    </message>
    <message>
        <source>Full</source>
        <translation>Полные</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Выкл.</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Вкл.</translation>
    </message>
    <message>
        <source>Double</source>
        <translation>Двойная проверка</translation>
    </message>
    <message>
        <source>IPP</source>
        <translation>IPP</translation>
    </message>
    <message>
        <source>HTTP</source>
        <translation>HTTP</translation>
    </message>
    <message>
        <source>Required</source>
        <translation>Обязательно</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Никогда</translation>
    </message>
    <message>
        <source>If requested</source>
        <translation>По запросу</translation>
    </message>
    <message>
        <source>Basic</source>
        <translation>Basic</translation>
    </message>
    <message>
        <source>Basic Digest</source>
        <translation>Basic Digest</translation>
    </message>
    <message>
        <source>Digest</source>
        <translation>Digest</translation>
    </message>
    <message>
        <source>Negotiate</source>
        <translation>Negotiate</translation>
    </message>
    <message>
        <source>Log all requests and state changes (default)</source>
        <translation>Записывать все запросы и изменения состояния (по умолчанию)</translation>
    </message>
    <message>
        <source>Log nothing</source>
        <translation>Ничего не записывать</translation>
    </message>
    <message>
        <source>Log emergency conditions that prevent the server from running</source>
        <translation>Записывать аварийные ситуации, мешающие работе сервера</translation>
    </message>
    <message>
        <source>Log alerts that must be handled immediately</source>
        <translation>Записывать тревоги, требующие немедленной реакции</translation>
    </message>
    <message>
        <source>Log critical errors that don&apos;t prevent the server from running</source>
        <translation>Записывать критические ошибки, не мешающие работе сервера</translation>
    </message>
    <message>
        <source>Log general errors</source>
        <translation>Записывать обычные ошибки</translation>
    </message>
    <message>
        <source>Log errors and warnings</source>
        <translation>Записывать ошибки и предупреждения</translation>
    </message>
    <message>
        <source>Log temporary error conditions</source>
        <translation>Записывать временные ошибки</translation>
    </message>
    <message>
        <source>Log basic debugging information</source>
        <translation>Записывать основную отладочную информацию</translation>
    </message>
    <message>
        <source>Log all debugging information</source>
        <translation>Записывать всю отладочную информацию</translation>
    </message>
    <message>
        <source>Stop the printer and keep the job for future printing (default)</source>
        <translation>Остановить принтер и сохранить задание для последующей печати (по умолчанию)</translation>
    </message>
    <message>
        <source>Abort the job and proceed with the next job in the queue</source>
        <translation>Прервать задание и перейти к следующему заданию в очереди</translation>
    </message>
    <message>
        <source>Retry the job after waiting for &apos;Job retry interval&apos; seconds</source>
        <translation>Повторить задание, выждав число секунд из поля «Интервал между попытками»</translation>
    </message>
    <message>
        <source>Allow browse packets by default, then check deny conditions</source>
        <translation>По умолчанию принимать пакеты обзора, затем проверять условия запрета</translation>
    </message>
    <message>
        <source>Deny browse packets by default, then check allow conditions</source>
        <translation>По умолчанию отклонять пакеты обзора, затем проверять условия разрешения</translation>
    </message>
    <message>
        <source>Bytes</source>
        <translation>Байт</translation>
    </message>
    <message>
        <source>Kilobytes</source>
        <translation>Килобайт</translation>
    </message>
    <message>
        <source>Megabytes</source>
        <translation>Мегабайт</translation>
    </message>
    <message>
        <source>Gigabytes</source>
        <translation>Гигабайт</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Разрешить</translation>
    </message>
    <message>
        <source>Deny</source>
        <translation>Запретить</translation>
    </message>
    <message>
        <source>The scheduler ignores this setting in cupsd.conf: it is made in cups-files.conf.</source>
        <translation>Сервер печати не учитывает этот параметр в cupsd.conf: он задаётся в cups-files.conf.</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Policy already exists</source>
        <translation>Такая политика уже существует</translation>
    </message>
    <message>
        <source>Location already exists</source>
        <translation>Такое расположение уже существует</translation>
    </message>
    <message>
        <source>The policy &quot;%1&quot; is the default policy and the only one: the scheduler needs a default policy. Add another policy first.</source>
        <translation>Политика «%1» — политика по умолчанию и единственная: серверу печати нужна политика по умолчанию. Сначала добавьте другую политику.</translation>
    </message>
    <message>
        <source>Default policy</source>
        <translation>Политика по умолчанию</translation>
    </message>
    <message>
        <source>The policy &quot;%1&quot; is the default policy. Which policy becomes the default?</source>
        <translation>Политика «%1» — политика по умолчанию. Какая политика станет политикой по умолчанию?</translation>
    </message>
</context>
<context>
    <name>CupsdConfHelp</name>
    <message>
        <source> The scheduler of CUPS 2.4 refuses this directive and does not start with it.</source>
        <translation> Сервер печати CUPS 2.4 не принимает эту директиву и с ней не запускается.</translation>
    </message>
    <message>
        <source>The host name the server gives itself in the addresses it sends to clients. The default is the machine&apos;s host name.</source>
        <translation>Имя узла, которое сервер указывает для себя в адресах, отправляемых клиентам. По умолчанию — имя узла этого компьютера.</translation>
    </message>
    <message>
        <source>The e-mail address that problems with the server are reported to. The default is root at the server name.</source>
        <translation>Адрес электронной почты, на который сообщается о проблемах с сервером. По умолчанию — пользователь root на этом сервере (root@имя_сервера).</translation>
    </message>
    <message>
        <source>The classification printed on the banner pages of every job. The default is no classification.</source>
        <translation>Гриф секретности, печатаемый на титульных страницах каждого задания. По умолчанию гриф не задан.</translation>
    </message>
    <message>
        <source>Whether users may choose other banner pages than the classification prescribes. The default is No.</source>
        <translation>Определяет, могут ли пользователи выбирать титульные страницы, отличные от предписанных грифом. По умолчанию — No.</translation>
    </message>
    <message>
        <source>The character set of text files and of the server&apos;s web pages when nothing else is said. The default is utf-8.</source>
        <translation>Кодировка текстовых файлов и веб-страниц сервера, если иная не указана. По умолчанию — utf-8.</translation>
    </message>
    <message>
        <source>The language of the server&apos;s web pages and messages when a client asks for none. The default is the language of the scheduler&apos;s environment, otherwise English.</source>
        <translation>Язык веб-страниц и сообщений сервера, если клиент не запросил никакого. По умолчанию — язык окружения сервера печати, а если он не задан — английский.</translation>
    </message>
    <message>
        <source>How much the server tells about itself in the header of its HTTP answers. The default is Minimal.</source>
        <translation>Сколько сведений о себе сервер сообщает в заголовке своих HTTP-ответов. По умолчанию — Minimal.</translation>
    </message>
    <message>
        <source>&lt;table border=&quot;1&quot; cellpadding=&quot;2&quot;&gt;&lt;tr&gt;&lt;th&gt;Value&lt;/th&gt;&lt;th&gt;Header sent&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;None&lt;/td&gt;&lt;td&gt;nothing&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;ProductOnly&lt;/td&gt;&lt;td&gt;CUPS IPP&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Major&lt;/td&gt;&lt;td&gt;CUPS/2 IPP/2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Minor&lt;/td&gt;&lt;td&gt;CUPS/2.4 IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Minimal&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;OS&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 (Linux 6.1) IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Full&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 (Linux 6.1; x86_64) IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</source>
        <translation>&lt;table border=&quot;1&quot; cellpadding=&quot;2&quot;&gt;&lt;tr&gt;&lt;th&gt;Значение&lt;/th&gt;&lt;th&gt;Отправляемый заголовок&lt;/th&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;None&lt;/td&gt;&lt;td&gt;ничего&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;ProductOnly&lt;/td&gt;&lt;td&gt;CUPS IPP&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Major&lt;/td&gt;&lt;td&gt;CUPS/2 IPP/2&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Minor&lt;/td&gt;&lt;td&gt;CUPS/2.4 IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Minimal&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;OS&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 (Linux 6.1) IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;tr&gt;&lt;td&gt;Full&lt;/td&gt;&lt;td&gt;CUPS/2.4.2 (Linux 6.1; x86_64) IPP/2.1&lt;/td&gt;&lt;/tr&gt;&lt;/table&gt;</translation>
    </message>
    <message>
        <source>The file into which the scheduler writes the list of its printers for programs that read a printcap file; an empty name turns it off. The default is /etc/printcap.</source>
        <translation>Файл, в который сервер печати записывает список своих принтеров для программ, читающих файл printcap; пустое имя отключает его. По умолчанию — /etc/printcap.</translation>
    </message>
    <message>
        <source>The program that IRIX desktops run to set printer options, named in the printcap file. The default is /usr/bin/glpoptions.</source>
        <translation>Программа, которую рабочие столы IRIX запускают для настройки параметров принтера; её имя указывается в файле printcap. По умолчанию — /usr/bin/glpoptions.</translation>
    </message>
    <message>
        <source>The format of the printcap file: BSD or Solaris. The default is BSD.</source>
        <translation>Формат файла printcap: BSD или Solaris. По умолчанию — BSD.</translation>
    </message>
    <message>
        <source>Whether the addresses of clients are looked up as host names: Off, On, or Double, which also checks that the name leads back to the same address. The default is Off.</source>
        <translation>Определяет, преобразуются ли адреса клиентов в имена узлов: Off, On или Double — в последнем случае также проверяется, что имя указывает обратно на тот же адрес. По умолчанию — Off.</translation>
    </message>
    <message>
        <source>Whether a client&apos;s connection stays open for further requests. The default is Yes.</source>
        <translation>Определяет, остаётся ли соединение клиента открытым для последующих запросов. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>How long an idle connection is kept open. The default is 60 seconds.</source>
        <translation>Сколько времени простаивающее соединение остаётся открытым. По умолчанию — 60 секунд.</translation>
    </message>
    <message>
        <source>The most clients the server serves at the same time. The default is 100.</source>
        <translation>Наибольшее число клиентов, которых сервер обслуживает одновременно. По умолчанию — 100.</translation>
    </message>
    <message>
        <source>The most clients from one host the server serves at the same time. The default is the value of MaxClients.</source>
        <translation>Наибольшее число клиентов с одного узла, которых сервер обслуживает одновременно. По умолчанию — значение MaxClients.</translation>
    </message>
    <message>
        <source>The largest print file or request the server accepts; 0 means no limit. The default is 0.</source>
        <translation>Наибольший размер файла печати или запроса, который принимает сервер; 0 означает отсутствие ограничения. По умолчанию — 0.</translation>
    </message>
    <message>
        <source>How long the server waits for a client before it gives up the request. The default is 900 seconds.</source>
        <translation>Сколько времени сервер ждёт клиента, прежде чем отказаться от запроса. По умолчанию — 900 секунд.</translation>
    </message>
    <message>
        <source>The Kerberos service name of the server for Negotiate authentication. The default is http. This dialog leaves the file&apos;s setting as it is.</source>
        <translation>Имя службы Kerberos этого сервера для аутентификации Negotiate. По умолчанию — http. Этот диалог оставляет значение в файле без изменений.</translation>
    </message>
    <message>
        <source>The addresses with ports, and the domain sockets, on which the server takes connections; SSL marks those that only take encrypted ones. The default is none: the server does not start without an address to listen on.</source>
        <translation>Адреса с портами и доменные сокеты, на которых сервер принимает соединения; отметка SSL означает, что на адресе принимаются только зашифрованные соединения. По умолчанию не задано ни одного: без адреса для прослушивания сервер не запускается.</translation>
    </message>
    <message>
        <source>The user name given to requests from root on other machines that are not authenticated. The default is remroot.</source>
        <translation>Имя пользователя, которое получают неаутентифицированные запросы от root с других компьютеров. По умолчанию — remroot.</translation>
    </message>
    <message>
        <source>The certificate file of encrypted connections. The default is /etc/cups/ssl/server.crt.</source>
        <translation>Файл сертификата для зашифрованных соединений. По умолчанию — /etc/cups/ssl/server.crt.</translation>
    </message>
    <message>
        <source>How often the certificate with which local programs authenticate as root is renewed; 0 never renews it. The default is 300 seconds.</source>
        <translation>Как часто обновляется сертификат, с которым локальные программы проходят аутентификацию как root; 0 — никогда не обновлять. По умолчанию — 300 секунд.</translation>
    </message>
    <message>
        <source>The private key file of encrypted connections. The default is /etc/cups/ssl/server.key.</source>
        <translation>Файл закрытого ключа для зашифрованных соединений. По умолчанию — /etc/cups/ssl/server.key.</translation>
    </message>
    <message>
        <source>The permissions, as an octal number, of the configuration files the scheduler writes. The default is 0640.</source>
        <translation>Права доступа (восьмеричное число) к файлам конфигурации, которые записывает сервер печати. По умолчанию — 0640.</translation>
    </message>
    <message>
        <source>Whether connections that need authentication must be encrypted: Never, IfRequested or Required. The default is Required.</source>
        <translation>Определяет, должны ли быть зашифрованы соединения, требующие аутентификации: Never, IfRequested или Required. По умолчанию — Required.</translation>
    </message>
    <message>
        <source>The kind of authentication used where a section asks for the default one. The default is Basic.</source>
        <translation>Вид аутентификации там, где раздел требует аутентификации по умолчанию. По умолчанию — Basic.</translation>
    </message>
    <message>
        <source>Whether new local printers are shared with the network. The default is Yes.</source>
        <translation>Определяет, становятся ли новые локальные принтеры общими для сети. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>The groups whose members are administrators of the server. The default is the system&apos;s administrator groups, commonly lpadmin, sys and root.</source>
        <translation>Группы, члены которых являются администраторами сервера. По умолчанию — группы администраторов системы, обычно lpadmin, sys и root.</translation>
    </message>
    <message>
        <source>Access rules for a path of the server, such as /admin. The default is the rules of the nearest path above it that has a section of its own.</source>
        <translation>Правила доступа к пути на сервере, например /admin. По умолчанию действуют правила ближайшего вышестоящего пути, у которого есть свой раздел.</translation>
    </message>
    <message>
        <source>Named sets of rules for the operations on printers and jobs, which printers are given. The default is a built-in policy named default.</source>
        <translation>Именованные наборы правил для операций с принтерами и заданиями, назначаемые принтерам. По умолчанию — встроенная политика с именем default.</translation>
    </message>
    <message>
        <source>The policy of printers that have none of their own. The default is the policy named default.</source>
        <translation>Политика для принтеров, у которых нет собственной. По умолчанию — политика с именем default.</translation>
    </message>
    <message>
        <source>The file the scheduler records the requests it serves in. The default is /var/log/cups/access_log.</source>
        <translation>Файл, в который сервер печати записывает обслуженные запросы. По умолчанию — /var/log/cups/access_log.</translation>
    </message>
    <message>
        <source>The file of the scheduler&apos;s messages. The default is /var/log/cups/error_log.</source>
        <translation>Файл сообщений сервера печати. По умолчанию — /var/log/cups/error_log.</translation>
    </message>
    <message>
        <source>The file in which every printed page is recorded. The default is /var/log/cups/page_log.</source>
        <translation>Файл, в который записывается каждая напечатанная страница. По умолчанию — /var/log/cups/page_log.</translation>
    </message>
    <message>
        <source>The size at which a log file is set aside and a new one started; 0 never does so. The default is 1 megabyte.</source>
        <translation>Размер, по достижении которого файл журнала откладывается в сторону и начинается новый; при 0 этого не происходит никогда. По умолчанию — 1 мегабайт.</translation>
    </message>
    <message>
        <source>How much the scheduler writes into its error log. The default is warn.</source>
        <translation>Насколько подробно сервер печати пишет в свой журнал ошибок. По умолчанию — warn.</translation>
    </message>
    <message>
        <source>The permissions, as an octal number, of the log files. The default is 0644.</source>
        <translation>Права доступа (восьмеричное число) к файлам журналов. По умолчанию — 0644.</translation>
    </message>
    <message>
        <source>How many connections may wait to be accepted. The default is the most the system allows.</source>
        <translation>Сколько соединений может ожидать приёма. По умолчанию — максимум, допускаемый системой.</translation>
    </message>
    <message>
        <source>Whether finished jobs stay in the job history. The default is Yes.</source>
        <translation>Определяет, остаются ли завершённые задания в истории заданий. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>Whether the documents of finished jobs are kept so that the jobs can be printed again. The default is one day.</source>
        <translation>Определяет, хранятся ли документы завершённых заданий, чтобы эти задания можно было напечатать снова. По умолчанию — один день.</translation>
    </message>
    <message>
        <source>Whether finished jobs leave the history as soon as they no longer count for quotas. The default is No.</source>
        <translation>Определяет, удаляются ли завершённые задания из истории, как только они перестают учитываться в квотах. По умолчанию — No.</translation>
    </message>
    <message>
        <source>The most jobs the server keeps, finished ones included; 0 means no limit. The default is 500.</source>
        <translation>Наибольшее число заданий, которые хранит сервер, включая завершённые; 0 означает отсутствие ограничения. По умолчанию — 500.</translation>
    </message>
    <message>
        <source>The most active jobs one printer may have; 0 means no limit. The default is 0.</source>
        <translation>Наибольшее число активных заданий у одного принтера; 0 означает отсутствие ограничения. По умолчанию — 0.</translation>
    </message>
    <message>
        <source>The most active jobs one user may have; 0 means no limit. The default is 0.</source>
        <translation>Наибольшее число активных заданий у одного пользователя; 0 означает отсутствие ограничения. По умолчанию — 0.</translation>
    </message>
    <message>
        <source>The most copies of a document a user may ask for. The default is 9999.</source>
        <translation>Наибольшее число копий документа, которое может запросить пользователь. По умолчанию — 9999.</translation>
    </message>
    <message>
        <source>How often a failed job is tried again under the retry-job error policy. The default is 5.</source>
        <translation>Сколько раз повторяется неудавшееся задание при политике ошибок retry-job. По умолчанию — 5.</translation>
    </message>
    <message>
        <source>How long the server waits before it tries a failed job again. The default is 30 seconds.</source>
        <translation>Сколько времени сервер ждёт, прежде чем повторить неудавшееся задание. По умолчанию — 30 секунд.</translation>
    </message>
    <message>
        <source>What happens to a job when its printer fails. The default is stop-printer.</source>
        <translation>Что происходит с заданием при сбое его принтера. По умолчанию — stop-printer.</translation>
    </message>
    <message>
        <source>How long the scheduler waits for running jobs to finish before it restarts. The default is 30 seconds.</source>
        <translation>Сколько времени сервер печати ждёт завершения выполняющихся заданий перед перезапуском. По умолчанию — 30 секунд.</translation>
    </message>
    <message>
        <source>The user the filters and backends run as. The default is lp.</source>
        <translation>Пользователь, от имени которого работают фильтры и модули вывода. По умолчанию — lp.</translation>
    </message>
    <message>
        <source>The group the filters and backends run as. The default is lp.</source>
        <translation>Группа, от имени которой работают фильтры и модули вывода. По умолчанию — lp.</translation>
    </message>
    <message>
        <source>How much memory a filter may use for the images it renders. The default is 128 megabytes.</source>
        <translation>Сколько памяти фильтр может использовать для растеризуемых им изображений. По умолчанию — 128 мегабайт.</translation>
    </message>
    <message>
        <source>The total cost of the filters that may run at the same time; 0 means no limit. The default is 0.</source>
        <translation>Суммарная стоимость фильтров, которые могут работать одновременно; 0 означает отсутствие ограничения. По умолчанию — 0.</translation>
    </message>
    <message>
        <source>The priority (nice value, 0 to 19) of filters; higher values leave more time to other programs. The default is 0.</source>
        <translation>Приоритет фильтров (значение nice от 0 до 19); чем больше значение, тем больше времени остаётся другим программам. По умолчанию — 0.</translation>
    </message>
    <message>
        <source>The directory of the scheduler&apos;s data files. The default is /usr/share/cups.</source>
        <translation>Каталог файлов данных сервера печати. По умолчанию — /usr/share/cups.</translation>
    </message>
    <message>
        <source>The directory of the server&apos;s web pages. The default is /usr/share/cups/doc-root.</source>
        <translation>Каталог веб-страниц сервера. По умолчанию — /usr/share/cups/doc-root.</translation>
    </message>
    <message>
        <source>The spool directory of jobs waiting to print. The default is /var/spool/cups.</source>
        <translation>Каталог очереди заданий, ожидающих печати. По умолчанию — /var/spool/cups.</translation>
    </message>
    <message>
        <source>The directory of the filters, backends and other programs of the scheduler. The default is /usr/lib/cups.</source>
        <translation>Каталог фильтров, модулей вывода и других программ сервера печати. По умолчанию — /usr/lib/cups.</translation>
    </message>
    <message>
        <source>The directory of the server&apos;s configuration files. The default is /etc/cups.</source>
        <translation>Каталог файлов конфигурации сервера. По умолчанию — /etc/cups.</translation>
    </message>
    <message>
        <source>The directory of temporary files. The default is /var/spool/cups/tmp.</source>
        <translation>Каталог временных файлов. По умолчанию — /var/spool/cups/tmp.</translation>
    </message>
    <message>
        <source>The directories in which filters look for fonts. The default is /usr/share/cups/fonts.</source>
        <translation>Каталоги, в которых фильтры ищут шрифты. По умолчанию — /usr/share/cups/fonts.</translation>
    </message>
    <message>
        <source>Whether the server announces its shared printers to the network and takes up printers that other servers announce. The default is Off.</source>
        <translation>Определяет, объявляет ли сервер свои общие принтеры в сети и подключает ли принтеры, объявленные другими серверами. По умолчанию — Off.</translation>
    </message>
    <message>
        <source>Seconds between two announcements of the printers; 0 sends none. The default is 30 seconds.</source>
        <translation>Число секунд между двумя объявлениями принтеров; при 0 объявления не отправляются. По умолчанию — 30 секунд.</translation>
    </message>
    <message>
        <source>Seconds after which a remote printer that is no longer announced is removed. The default is 300 seconds.</source>
        <translation>Число секунд, по истечении которых удалённый принтер, который больше не объявляется, удаляется. По умолчанию — 300 секунд.</translation>
    </message>
    <message>
        <source>Whether announcements are taken unless a rule denies them, or refused unless a rule allows them. The default is deny,allow.</source>
        <translation>Определяет, принимаются ли объявления, пока их не запретит правило, или отклоняются, пока их не разрешит правило. По умолчанию — deny,allow.</translation>
    </message>
    <message>
        <source>The UDP port of the announcements. The default is 631.</source>
        <translation>UDP-порт для объявлений. По умолчанию — 631.</translation>
    </message>
    <message>
        <source>Whether printers of the same name on several servers are joined into one class that spreads the jobs. The default is Yes.</source>
        <translation>Определяет, объединяются ли принтеры с одинаковым именем на нескольких серверах в один класс, распределяющий между ними задания. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>Whether such a class, named AnyPrinter, is also made when a local printer has the same name as remote ones. The default is No.</source>
        <translation>Определяет, создаётся ли такой класс с именем AnyPrinter и тогда, когда у локального принтера то же имя, что и у удалённых. По умолчанию — No.</translation>
    </message>
    <message>
        <source>Whether the printers joined into an implicit class are hidden. The default is Yes.</source>
        <translation>Определяет, скрываются ли принтеры, объединённые в неявный класс. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>Whether remote printers are named without their server where the name is unique. The default is Yes.</source>
        <translation>Определяет, называются ли удалённые принтеры без имени своего сервера, если имя уникально. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>Whether the default printer announced on the network becomes the default of this server when it has none. The default is Yes.</source>
        <translation>Определяет, становится ли объявленный в сети принтер по умолчанию принтером по умолчанию этого сервера, если у того его нет. По умолчанию — Yes.</translation>
    </message>
    <message>
        <source>Servers whose printers are asked for regularly, for networks that announcements do not reach. The default is none.</source>
        <translation>Серверы, у которых регулярно запрашиваются их принтеры, — для сетей, куда не доходят объявления. По умолчанию не заданы.</translation>
    </message>
    <message>
        <source>The hosts or networks whose announcements are taken up (BrowseAllow) or ignored (BrowseDeny). The default is to take up all.</source>
        <translation>Узлы или сети, объявления которых принимаются (BrowseAllow) или игнорируются (BrowseDeny). По умолчанию принимаются все.</translation>
    </message>
    <message>
        <source>Passes announcements received from one address on to another. The default is none.</source>
        <translation>Передаёт объявления, полученные с одного адреса, на другой. По умолчанию не задано.</translation>
    </message>
    <message>
        <source>The protocols with which the local shared printers are announced. The default is dnssd.</source>
        <translation>Протоколы, с помощью которых объявляются локальные общие принтеры. По умолчанию — dnssd.</translation>
    </message>
    <message>
        <source>The protocols used both to announce printers and to find them. The default is dnssd.</source>
        <translation>Протоколы, используемые как для объявления принтеров, так и для их поиска. По умолчанию — dnssd.</translation>
    </message>
    <message>
        <source>The protocols with which remote printers are found. The default is cups.</source>
        <translation>Протоколы, с помощью которых находятся удалённые принтеры. По умолчанию — cups.</translation>
    </message>
    <message>
        <source>The distinguished name with which the server logs in to the LDAP server. The default is an anonymous login.</source>
        <translation>Различающееся имя (DN), с которым сервер входит на сервер LDAP. По умолчанию — анонимный вход.</translation>
    </message>
    <message>
        <source>The LDAP entry below which printers are announced and looked for. The default is none.</source>
        <translation>Запись LDAP, ниже которой объявляются и ищутся принтеры. По умолчанию не задана.</translation>
    </message>
    <message>
        <source>The password of the LDAP login. The default is none.</source>
        <translation>Пароль для входа в LDAP. По умолчанию не задан.</translation>
    </message>
    <message>
        <source>The address of the LDAP server. The default is the system&apos;s LDAP configuration.</source>
        <translation>Адрес сервера LDAP. По умолчанию он берётся из системной конфигурации LDAP.</translation>
    </message>
    <message>
        <source>Options added to the addresses of the printers this server announces. The default is none.</source>
        <translation>Параметры, добавляемые к адресам принтеров, которые объявляет этот сервер. По умолчанию не заданы.</translation>
    </message>
    <message>
        <source>Options added to the addresses of remote printers. The default is none.</source>
        <translation>Параметры, добавляемые к адресам удалённых принтеров. По умолчанию не заданы.</translation>
    </message>
    <message>
        <source>Whether printers may print into files (device addresses beginning with file:). The default is No.</source>
        <translation>Определяет, могут ли принтеры печатать в файлы (адреса устройств, начинающиеся с file:). По умолчанию — No.</translation>
    </message>
    <message>
        <source>Environment variables of the scheduler that its filters and backends receive as well. The default is none beyond the scheduler&apos;s own set.</source>
        <translation>Переменные окружения сервера печати, которые также получают его фильтры и модули вывода. По умолчанию — только собственный набор переменных сервера печати.</translation>
    </message>
    <message>
        <source>Further files read as part of this configuration. The default is none.</source>
        <translation>Дополнительные файлы, читаемые как часть этой конфигурации. По умолчанию не заданы.</translation>
    </message>
    <message>
        <source>Environment variables set for filters and backends, with their values. The default is none.</source>
        <translation>Переменные окружения с их значениями, задаваемые для фильтров и модулей вывода. По умолчанию не заданы.</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;p&gt;&lt;b&gt;%1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;%3&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;p&gt;&lt;b&gt;%1&lt;/b&gt;&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;%3&lt;/html&gt;</translation>
    </message>
    <message>
        <source>%1

%2</source>
        <translation>%1

%2</translation>
    </message>
</context>
<context>
    <name>DestOptions</name>
    <message>
        <source>Portrait</source>
        <translation>Книжная</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Альбомная</translation>
    </message>
    <message>
        <source>Reverse landscape</source>
        <translation>Перевёрнутая альбомная</translation>
    </message>
    <message>
        <source>Reverse portrait</source>
        <translation>Перевёрнутая книжная</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Staple</source>
        <translation>Сшить скобами</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>Перфорировать</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Обложка</translation>
    </message>
    <message>
        <source>Bind</source>
        <translation>Переплести</translation>
    </message>
    <message>
        <source>Saddle stitch</source>
        <translation>Сшить внакидку</translation>
    </message>
    <message>
        <source>Edge stitch</source>
        <translation>Сшить по краю</translation>
    </message>
    <message>
        <source>Fold (any type)</source>
        <translation>Сфальцевать (любым способом)</translation>
    </message>
    <message>
        <source>Trim (any type)</source>
        <translation>Обрезать (любым способом)</translation>
    </message>
    <message>
        <source>Bale (any type)</source>
        <translation>Упаковать (любым способом)</translation>
    </message>
    <message>
        <source>Fold to make booklet</source>
        <translation>Сфальцевать в брошюру</translation>
    </message>
    <message>
        <source>Offset for binding (any type)</source>
        <translation>Смещение под переплёт (любой тип)</translation>
    </message>
    <message>
        <source>Staple top left</source>
        <translation>Скоба слева вверху</translation>
    </message>
    <message>
        <source>Staple bottom left</source>
        <translation>Скоба слева внизу</translation>
    </message>
    <message>
        <source>Staple top right</source>
        <translation>Скоба справа вверху</translation>
    </message>
    <message>
        <source>Staple bottom right</source>
        <translation>Скоба справа внизу</translation>
    </message>
    <message>
        <source>Edge stitch left</source>
        <translation>Сшить по левому краю</translation>
    </message>
    <message>
        <source>Edge stitch top</source>
        <translation>Сшить по верхнему краю</translation>
    </message>
    <message>
        <source>Edge stitch right</source>
        <translation>Сшить по правому краю</translation>
    </message>
    <message>
        <source>Edge stitch bottom</source>
        <translation>Сшить по нижнему краю</translation>
    </message>
    <message>
        <source>Staple dual left</source>
        <translation>Две скобы слева</translation>
    </message>
    <message>
        <source>Staple dual top</source>
        <translation>Две скобы сверху</translation>
    </message>
    <message>
        <source>Staple dual right</source>
        <translation>Две скобы справа</translation>
    </message>
    <message>
        <source>Staple dual bottom</source>
        <translation>Две скобы снизу</translation>
    </message>
    <message>
        <source>Bind on left</source>
        <translation>Переплёт слева</translation>
    </message>
    <message>
        <source>Bind on top</source>
        <translation>Переплёт сверху</translation>
    </message>
    <message>
        <source>Bind on right</source>
        <translation>Переплёт справа</translation>
    </message>
    <message>
        <source>Bind on Bottom</source>
        <translation>Переплёт снизу</translation>
    </message>
    <message>
        <source>One sided</source>
        <translation>Односторонняя</translation>
    </message>
    <message>
        <source>Two sided, Long edge</source>
        <translation>Двусторонняя, по длинному краю</translation>
    </message>
    <message>
        <source>Two sided, Short edge</source>
        <translation>Двусторонняя, по короткому краю</translation>
    </message>
    <message>
        <source>No hold</source>
        <translation>Без задержки</translation>
    </message>
    <message>
        <source>Indefinite</source>
        <translation>Бессрочно</translation>
    </message>
    <message>
        <source>Day Time</source>
        <translation>Днём</translation>
    </message>
    <message>
        <source>Evening</source>
        <translation>Вечером</translation>
    </message>
    <message>
        <source>Night</source>
        <translation>Ночью</translation>
    </message>
    <message>
        <source>Second Shift</source>
        <translation>Во вторую смену</translation>
    </message>
    <message>
        <source>Third Shift</source>
        <translation>В третью смену</translation>
    </message>
    <message>
        <source>Weekend</source>
        <translation>В выходные</translation>
    </message>
    <message>
        <source>Finishings after print</source>
        <translation>Послепечатная обработка</translation>
    </message>
    <message>
        <source>Notify events</source>
        <translation>События для уведомления</translation>
    </message>
    <message>
        <source>Notify lease duration (in seconds)</source>
        <translation>Срок подписки на уведомления (в секундах)</translation>
    </message>
    <message>
        <source>Document mime type</source>
        <translation>MIME-тип документа</translation>
    </message>
    <message>
        <source>Media settings</source>
        <translation>Параметры бумаги</translation>
    </message>
    <message>
        <source>US Letter</source>
        <translation>US Letter</translation>
    </message>
    <message>
        <source>US Legal</source>
        <translation>US Legal</translation>
    </message>
    <message>
        <source>ISO A4</source>
        <translation>ISO A4</translation>
    </message>
    <message>
        <source>US #10 Envelope</source>
        <translation>Конверт US #10</translation>
    </message>
    <message>
        <source>ISO DL Envelope</source>
        <translation>Конверт ISO DL</translation>
    </message>
    <message>
        <source>Upper tray</source>
        <translation>Верхний лоток</translation>
    </message>
    <message>
        <source>Lower tray</source>
        <translation>Нижний лоток</translation>
    </message>
    <message>
        <source>Multi-purpose tray</source>
        <translation>Универсальный лоток</translation>
    </message>
    <message>
        <source>Large capacity tray</source>
        <translation>Лоток большой ёмкости</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычная</translation>
    </message>
    <message>
        <source>Transparency</source>
        <translation>Прозрачная плёнка</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Очередь</translation>
    </message>
    <message>
        <source>Page S&amp;ize</source>
        <translation>&amp;Размер страницы</translation>
    </message>
    <message>
        <source>Paper So&amp;urce</source>
        <translation>&amp;Источник бумаги</translation>
    </message>
    <message>
        <source>Paper T&amp;ype</source>
        <translation>&amp;Тип бумаги</translation>
    </message>
    <message>
        <source>Pages per sheet</source>
        <translation>Страниц на листе</translation>
    </message>
    <message>
        <source>Duplex printing</source>
        <translation>Двусторонняя печать</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ориентация</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Priority</source>
        <translation>Приоритет</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>Копии</translation>
    </message>
    <message>
        <source>Hold until</source>
        <translation>Задержать до</translation>
    </message>
    <message>
        <source>Banners</source>
        <translation>Титульные листы</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>В начале</translation>
    </message>
    <message>
        <source>End</source>
        <translation>В конце</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Задания</translation>
    </message>
    <message>
        <source>Invalid destination</source>
        <translation>Недопустимое назначение</translation>
    </message>
    <message>
        <source>Unable to get destination&apos;s options.</source>
        <translation>Не удалось получить параметры принтера/класса.</translation>
    </message>
    <message>
        <source>Driver Settings</source>
        <translation>Параметры драйвера</translation>
    </message>
    <message>
        <source>Unable to set destination&apos;s options.</source>
        <translation>Не удалось установить параметры принтера/класса.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Unable to save the options: %1</source>
        <translation>Не удалось сохранить параметры: %1</translation>
    </message>
</context>
<context>
    <name>DestOptionsDialog</name>
    <message>
        <source>Printer/class options</source>
        <translation>Параметры принтера/класса</translation>
    </message>
    <message>
        <source>Options for %1</source>
        <translation>Параметры %1</translation>
    </message>
</context>
<context>
    <name>DestinationChooser</name>
    <message>
        <source>Move job</source>
        <translation>Перемещение задания</translation>
    </message>
    <message>
        <source>Move the job to:</source>
        <translation>Переместить задание в:</translation>
    </message>
</context>
<context>
    <name>DriverWidget</name>
    <message>
        <source>Drivers</source>
        <translation>Драйверы</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Сведения</translation>
    </message>
    <message>
        <source>From file...</source>
        <translation>Из файла...</translation>
    </message>
    <message>
        <source>Select driver from file</source>
        <translation>Выбор драйвера из файла</translation>
    </message>
    <message>
        <source>Driver info</source>
        <translation>Сведения о драйвере</translation>
    </message>
    <message>
        <source>Select file...</source>
        <translation>Выбрать файл...</translation>
    </message>
    <message>
        <source>ppd files</source>
        <translation>Файлы PPD</translation>
    </message>
</context>
<context>
    <name>InfoDriverPage</name>
    <message>
        <source>Information</source>
        <translation>Сведения</translation>
    </message>
    <message>
        <source>Enter printer/class information, select printer driver (if needed)</source>
        <translation>Введите сведения о принтере/классе и выберите драйвер принтера (если нужно)</translation>
    </message>
    <message>
        <source>Share this queue</source>
        <translation>Сделать очередь общей</translation>
    </message>
    <message>
        <source>&lt;b&gt;Device URI&lt;/b&gt;</source>
        <translation>&lt;b&gt;URI устройства&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Driver&lt;/b&gt;</source>
        <translation>&lt;b&gt;Драйвер&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Name&lt;/b&gt;</source>
        <translation>&lt;b&gt;Имя&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Расположение</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>The queue keeps its driver</source>
        <translation>Очередь сохраняет свой драйвер</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Correct URI must present!</source>
        <translation>Необходимо указать правильный URI!</translation>
    </message>
    <message>
        <source>The driver of %1 could not be fetched from the server, so the printer cannot be renamed.</source>
        <translation>Не удалось получить с сервера драйвер %1, поэтому принтер нельзя переименовать.</translation>
    </message>
    <message>
        <source>Driver is not selected</source>
        <translation>Драйвер не выбран</translation>
    </message>
    <message>
        <source>Unable to add printer.
Try Again?</source>
        <translation>Не удалось добавить принтер.
Повторить попытку?</translation>
    </message>
    <message>
        <source>Unable to add class.
Try Again?</source>
        <translation>Не удалось добавить класс.
Повторить попытку?</translation>
    </message>
    <message>
        <source>Select driver</source>
        <translation>Выбрать драйвер</translation>
    </message>
</context>
<context>
    <name>IppQueueSelector</name>
    <message>
        <source>Queue Selection</source>
        <translation>Выбор очереди</translation>
    </message>
    <message>
        <source>&lt;span style=&quot;font-size:x-large; font-weight:600;&quot;&gt;Select Queue From List:&lt;/span&gt;</source>
        <translation>&lt;span style=&quot;font-size:x-large; font-weight:600;&quot;&gt;Выберите очередь из списка:&lt;/span&gt;</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Очередь</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Тип</translation>
    </message>
    <message>
        <source>Capabilities</source>
        <translation>Возможности</translation>
    </message>
    <message>
        <source>Printer Class</source>
        <translation>Класс принтеров</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Implicit Class</source>
        <translation>Неявный класс</translation>
    </message>
    <message>
        <source>Fax device</source>
        <translation>Факс</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Удалённый</translation>
    </message>
    <message>
        <source>Can do B&amp;W printing</source>
        <translation>Чёрно-белая печать</translation>
    </message>
    <message>
        <source>Can do color printing</source>
        <translation>Цветная печать</translation>
    </message>
    <message>
        <source>Can do duplexing</source>
        <translation>Двусторонняя печать</translation>
    </message>
    <message>
        <source>Can staple output</source>
        <translation>Сшивание скобами</translation>
    </message>
    <message>
        <source>Can do copies</source>
        <translation>Изготовление копий</translation>
    </message>
    <message>
        <source>Can collate copies</source>
        <translation>Подбор копий</translation>
    </message>
    <message>
        <source>Can punch output</source>
        <translation>Перфорация</translation>
    </message>
    <message>
        <source>Can cover output</source>
        <translation>Обложки</translation>
    </message>
    <message>
        <source>Can bind output</source>
        <translation>Переплёт</translation>
    </message>
    <message>
        <source>Can sort output</source>
        <translation>Сортировка отпечатков</translation>
    </message>
    <message>
        <source>Can do Letter/Legal/A4</source>
        <translation>Форматы Letter/Legal/A4</translation>
    </message>
    <message>
        <source>Can do Tabloid/B/C/A3/A2</source>
        <translation>Форматы Tabloid/B/C/A3/A2</translation>
    </message>
    <message>
        <source>Can do D/E/A1/A0</source>
        <translation>Форматы D/E/A1/A0</translation>
    </message>
    <message>
        <source>Can do variable sizes</source>
        <translation>Произвольные размеры</translation>
    </message>
</context>
<context>
    <name>JobWidget</name>
    <message>
        <source>pending</source>
        <translation>ожидает</translation>
    </message>
    <message>
        <source>held</source>
        <translation>задержано</translation>
    </message>
    <message>
        <source>processing</source>
        <translation>печатается</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлено</translation>
    </message>
    <message>
        <source>canceled</source>
        <translation>отменено</translation>
    </message>
    <message>
        <source>aborted</source>
        <translation>прервано</translation>
    </message>
    <message>
        <source>completed</source>
        <translation>завершено</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Пользователь</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Cancel job</source>
        <translation>Отменить задание</translation>
    </message>
    <message>
        <source>Hold job</source>
        <translation>Задержать задание</translation>
    </message>
    <message>
        <source>Release job</source>
        <translation>Освободить задание</translation>
    </message>
    <message>
        <source>Move job to...</source>
        <translation>Переместить задание в...</translation>
    </message>
    <message>
        <source>Reprint job</source>
        <translation>Напечатать задание повторно</translation>
    </message>
    <message>
        <source>Show completed jobs</source>
        <translation>Показывать завершённые задания</translation>
    </message>
    <message>
        <source>There is no connection to the server.</source>
        <translation>Нет соединения с сервером.</translation>
    </message>
    <message>
        <source>Unable to cancel job %1.</source>
        <translation>Не удалось отменить задание %1.</translation>
    </message>
    <message>
        <source>Unable to hold job %1.</source>
        <translation>Не удалось задержать задание %1.</translation>
    </message>
    <message>
        <source>Unable to release job %1.</source>
        <translation>Не удалось освободить задание %1.</translation>
    </message>
    <message>
        <source>Unable to reprint job %1.</source>
        <translation>Не удалось повторно напечатать задание %1.</translation>
    </message>
    <message>
        <source>Unable to move job %1.</source>
        <translation>Не удалось переместить задание %1.</translation>
    </message>
    <message>
        <source>Move job</source>
        <translation>Перемещение задания</translation>
    </message>
    <message>
        <source>There is no other printer or class to move the job to.</source>
        <translation>Нет другого принтера или класса, куда можно переместить задание.</translation>
    </message>
    <message>
        <source>Unable to move job %1 to %2.</source>
        <translation>Не удалось переместить задание %1 в %2.</translation>
    </message>
</context>
<context>
    <name>LimitDialog</name>
    <message>
        <source>All operations - used as the default limit for operations that are not listed</source>
        <translation>Все операции — ограничение по умолчанию для неуказанных операций</translation>
    </message>
    <message>
        <source>Sets the printer-is-accepting-jobs value for a printer to true</source>
        <translation>Устанавливает printer-is-accepting-jobs принтера в true</translation>
    </message>
    <message>
        <source>Adds or modifies a class</source>
        <translation>Добавляет или изменяет класс</translation>
    </message>
    <message>
        <source>Adds or modifies a printer</source>
        <translation>Добавляет или изменяет принтер</translation>
    </message>
    <message>
        <source>Authenticates a job for printing</source>
        <translation>Выполняет аутентификацию задания для печати</translation>
    </message>
    <message>
        <source>Deletes a class</source>
        <translation>Удаляет класс</translation>
    </message>
    <message>
        <source>Deletes a printer</source>
        <translation>Удаляет принтер</translation>
    </message>
    <message>
        <source>Gets a list of classes</source>
        <translation>Получает список классов</translation>
    </message>
    <message>
        <source>Gets the (network/server) default printer or class</source>
        <translation>Получает принтер или класс по умолчанию (сети/сервера)</translation>
    </message>
    <message>
        <source>Gets a list of available devices</source>
        <translation>Получает список доступных устройств</translation>
    </message>
    <message>
        <source>Gets a list of available manufacturers or drivers</source>
        <translation>Получает список доступных производителей или драйверов</translation>
    </message>
    <message>
        <source>Gets a list of printers and/or classes</source>
        <translation>Получает список принтеров и/или классов</translation>
    </message>
    <message>
        <source>Moves a job to a new destination</source>
        <translation>Перемещает задание на другой принтер или класс</translation>
    </message>
    <message>
        <source>Sets the printer-is-accepting-jobs value for a printer to false</source>
        <translation>Устанавливает printer-is-accepting-jobs принтера в false</translation>
    </message>
    <message>
        <source>Sets the network/server default printer or class</source>
        <translation>Задаёт принтер или класс по умолчанию для сети/сервера</translation>
    </message>
    <message>
        <source>Cancel a job</source>
        <translation>Отменяет задание</translation>
    </message>
    <message>
        <source>Cancel a subscription</source>
        <translation>Отменяет подписку</translation>
    </message>
    <message>
        <source>Create a new, empty job</source>
        <translation>Создаёт новое пустое задание</translation>
    </message>
    <message>
        <source>Creates a notification subscription on a job</source>
        <translation>Создаёт подписку на уведомления о задании</translation>
    </message>
    <message>
        <source>Creates a notification subscription on a printer</source>
        <translation>Создаёт подписку на уведомления о принтере</translation>
    </message>
    <message>
        <source>Sets the printer-state value for a printer to stopped</source>
        <translation>Устанавливает printer-state принтера в stopped</translation>
    </message>
    <message>
        <source>Sets the printer-state value for a printer to idle/processing</source>
        <translation>Устанавливает printer-state принтера в idle/processing</translation>
    </message>
    <message>
        <source>Gets information about a job</source>
        <translation>Получает сведения о задании</translation>
    </message>
    <message>
        <source>Gets a list of jobs</source>
        <translation>Получает список заданий</translation>
    </message>
    <message>
        <source>Gets a list of events</source>
        <translation>Получает список событий</translation>
    </message>
    <message>
        <source>Gets information about a printer or class</source>
        <translation>Получает сведения о принтере или классе</translation>
    </message>
    <message>
        <source>Gets information about a notification subscription</source>
        <translation>Получает сведения о подписке на уведомления</translation>
    </message>
    <message>
        <source>Gets a list of notification subscriptions</source>
        <translation>Получает список подписок на уведомления</translation>
    </message>
    <message>
        <source>Holds a job for printing</source>
        <translation>Задерживает задание перед печатью</translation>
    </message>
    <message>
        <source>Creates a job with a single file for printing</source>
        <translation>Создаёт задание из одного файла для печати</translation>
    </message>
    <message>
        <source>Removes all jobs from a printer</source>
        <translation>Удаляет все задания из очереди принтера</translation>
    </message>
    <message>
        <source>Releases a previously held job for printing</source>
        <translation>Освобождает ранее задержанное задание для печати</translation>
    </message>
    <message>
        <source>Renews a notification subscription</source>
        <translation>Продлевает подписку на уведомления</translation>
    </message>
    <message>
        <source>Reprints a job</source>
        <translation>Печатает задание повторно</translation>
    </message>
    <message>
        <source>Sets the printer-stae value for a printer to idle/processing</source>
        <translation>Устанавливает printer-state принтера в idle/processing</translation>
    </message>
    <message>
        <source>Adds a file to an job created with Create-Job</source>
        <translation>Добавляет файл в задание, созданное операцией Create-Job</translation>
    </message>
    <message>
        <source>Changes job options</source>
        <translation>Изменяет параметры задания</translation>
    </message>
    <message>
        <source>Validates job options prior to printing</source>
        <translation>Проверяет параметры задания перед печатью</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>DELETE</translation>
    </message>
    <message>
        <source>GET</source>
        <translation>GET</translation>
    </message>
    <message>
        <source>HEAD</source>
        <translation>HEAD</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>OPTIONS</translation>
    </message>
    <message>
        <source>POST</source>
        <translation>POST</translation>
    </message>
    <message>
        <source>PUT</source>
        <translation>PUT</translation>
    </message>
    <message>
        <source>TRACE</source>
        <translation>TRACE</translation>
    </message>
    <message>
        <source>Limit operations</source>
        <translation>Ограничение операций</translation>
    </message>
    <message>
        <source>Except of</source>
        <translation>Кроме</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Операция</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Ограничение</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>да</translation>
    </message>
    <message>
        <source>no</source>
        <translation>нет</translation>
    </message>
</context>
<context>
    <name>ListenDialog</name>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>SSL</source>
        <translation>SSL</translation>
    </message>
</context>
<context>
    <name>LocationDialog</name>
    <message>
        <source>The path for all get operations (get-printers, get-jobs, etc.)</source>
        <translation>Путь для всех операций получения (get-printers, get-jobs и т. д.)</translation>
    </message>
    <message>
        <source>The path for all administration operations (add-printer, delete-printer, start-printer, etc.)</source>
        <translation>Путь для всех операций администрирования (add-printer, delete-printer, start-printer и т. д.)</translation>
    </message>
    <message>
        <source>The path for access to the CUPS configuration files (cupsd.conf, client.conf, etc.)</source>
        <translation>Путь для доступа к файлам конфигурации CUPS (cupsd.conf, client.conf и т. д.)</translation>
    </message>
    <message>
        <source>The path for access to the CUPS log files (access_log, error_log, page_log)</source>
        <translation>Путь для доступа к файлам журналов CUPS (access_log, error_log, page_log)</translation>
    </message>
    <message>
        <source>The path for all classes</source>
        <translation>Путь для всех классов</translation>
    </message>
    <message>
        <source>The path for all jobs (hold-job, release-job, etc.)</source>
        <translation>Путь для всех заданий (hold-job, release-job и т. д.)</translation>
    </message>
    <message>
        <source>The path for all printers</source>
        <translation>Путь для всех принтеров</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Расположение</translation>
    </message>
    <message>
        <source>Limits</source>
        <translation>Ограничения</translation>
    </message>
    <message>
        <source>Except</source>
        <translation>Кроме</translation>
    </message>
</context>
<context>
    <name>PassEnvDialog</name>
    <message>
        <source>Pass environment</source>
        <translation>Передача переменной окружения</translation>
    </message>
    <message>
        <source>Environment name</source>
        <translation>Имя переменной окружения</translation>
    </message>
</context>
<context>
    <name>PasswordCBSetter</name>
    <message>
        <source>You are not authorized to do this.</source>
        <translation>У Вас нет прав на это действие.</translation>
    </message>
    <message>
        <source>The server refused the request: this user may not perform it.</source>
        <translation>Сервер отклонил запрос: этому пользователю действие не разрешено.</translation>
    </message>
    <message>
        <source>The server refused the password too many times.</source>
        <translation>Сервер слишком много раз отклонил пароль.</translation>
    </message>
    <message>
        <source>Authentication was cancelled.</source>
        <translation>Аутентификация отменена.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>Authentication</source>
        <translation>Аутентификация</translation>
    </message>
    <message>
        <source>The server refused the password. Try again, or cancel.</source>
        <translation>Сервер отклонил пароль. Попробуйте ещё раз или отмените.</translation>
    </message>
    <message>
        <source>&amp;User:</source>
        <translation>&amp;Пользователь:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>П&amp;ароль:</translation>
    </message>
    <message>
        <source>The server %1 asks for a user name and password for %2.</source>
        <translation>Сервер %1 запрашивает имя пользователя и пароль для %2.</translation>
    </message>
</context>
<context>
    <name>PolKitActionProvider</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The privileged helper did not carry out the operation.</source>
        <translation>Привилегированный помощник не выполнил операцию.</translation>
    </message>
    <message>
        <source>Install the package that provides the privileged helper, or choose the native CUPS IPP operations in Server &gt; Priviledged Actions...</source>
        <translation>Установите пакет с привилегированным помощником или выберите собственные операции IPP сервера CUPS в меню Сервер &gt; Привилегированные действия...</translation>
    </message>
    <message>
        <source>Privileged action failed</source>
        <translation>Ошибка привилегированного действия</translation>
    </message>
</context>
<context>
    <name>PolKitActionProviderHelper</name>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 не является обычным файлом</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 больше %2 байт</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>an argument of type %1 is neither a text nor a flag</source>
        <translation>аргумент типа %1 не является ни текстом, ни флагом</translation>
    </message>
    <message>
        <source>an argument contains a NUL character</source>
        <translation>аргумент содержит символ NUL</translation>
    </message>
    <message>
        <source>needs the resource and a local file name</source>
        <translation>нужны ресурс и имя локального файла</translation>
    </message>
    <message>
        <source>no PPD file given</source>
        <translation>файл PPD не указан</translation>
    </message>
    <message>
        <source>the privileged helper is not installed at %1</source>
        <translation>привилегированный помощник не установлен в %1</translation>
    </message>
    <message>
        <source>the launcher %1 is not installed</source>
        <translation>программа запуска %1 не установлена</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>не удаётся запустить %1: %2</translation>
    </message>
    <message>
        <source>no answer within %1 seconds, stopped</source>
        <translation>нет ответа в течение %1 с, выполнение остановлено</translation>
    </message>
    <message>
        <source>%1 crashed</source>
        <translation>аварийное завершение %1</translation>
    </message>
    <message>
        <source>the authorization was cancelled</source>
        <translation>авторизация отменена</translation>
    </message>
    <message>
        <source>not authorized</source>
        <translation>нет прав</translation>
    </message>
    <message>
        <source>not authorized: %1</source>
        <translation>нет прав: %1</translation>
    </message>
    <message>
        <source>the helper failed with exit status %1</source>
        <translation>помощник завершился с ошибкой, код возврата %1</translation>
    </message>
</context>
<context>
    <name>PolicyDialog</name>
    <message>
        <source>Policy</source>
        <translation>Политика</translation>
    </message>
    <message>
        <source>Limits</source>
        <translation>Ограничения</translation>
    </message>
    <message>
        <source>Except</source>
        <translation>Кроме</translation>
    </message>
    <message>
        <source>Policy name</source>
        <translation>Имя политики</translation>
    </message>
</context>
<context>
    <name>PpdOptionItem</name>
    <message>
        <source>This setting conflicts with another one.</source>
        <translation>Этот параметр конфликтует с другим.</translation>
    </message>
</context>
<context>
    <name>PpdSettings</name>
    <message>
        <source>Options</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>Параметр</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Current Setting</source>
        <translation>Текущее значение</translation>
    </message>
    <message>
        <source>Select an option</source>
        <translation>Выберите параметр</translation>
    </message>
    <message>
        <source>This setting conflicts with another one.</source>
        <translation>Этот параметр конфликтует с другим.</translation>
    </message>
    <message>
        <source>Conflicts with: %1</source>
        <translation>Конфликтует с: %1</translation>
    </message>
</context>
<context>
    <name>PrinterClassPage</name>
    <message>
        <source>Add new printer or class</source>
        <translation>Добавление принтера или класса</translation>
    </message>
    <message>
        <source>Printer or class</source>
        <translation>Принтер или класс</translation>
    </message>
    <message>
        <source>Select what you want to add, printer or class of printers</source>
        <translation>Выберите, что Вы хотите добавить: принтер или класс принтеров</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Принтер</translation>
    </message>
    <message>
        <source>Class</source>
        <translation>Класс</translation>
    </message>
    <message>
        <source>Name_of_printer</source>
        <translation>Имя_принтера</translation>
    </message>
    <message>
        <source>Name_of_class</source>
        <translation>Имя_класса</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Расположение</translation>
    </message>
</context>
<context>
    <name>PrinterManager</name>
    <message>
        <source>Tessel Printer Manager</source>
        <translation>Tessel Printer Manager</translation>
    </message>
    <message>
        <source>Processing jobs</source>
        <translation>Задания в обработке</translation>
    </message>
    <message>
        <source>Aborted jobs</source>
        <translation>Прерванные задания</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Configure...</source>
        <translation>Настроить...</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Перезапустить</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;Server</source>
        <translation>&amp;Сервер</translation>
    </message>
    <message>
        <source>Priviledged Actions...</source>
        <translation>Привилегированные действия...</translation>
    </message>
    <message>
        <source>&amp;Printer</source>
        <translation>&amp;Принтер</translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation>&amp;Задание</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Принтер</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Задание</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Критическая ошибка</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>%1
%2</source>
        <translation>%1
%2</translation>
    </message>
    <message>
        <source>Unable to read server configuration file</source>
        <translation>Не удалось прочитать файл конфигурации сервера</translation>
    </message>
    <message>
        <source>Cups error</source>
        <translation>Ошибка CUPS</translation>
    </message>
    <message>
        <source>Unable to write server configuration file</source>
        <translation>Не удалось записать файл конфигурации сервера</translation>
    </message>
    <message>
        <source>The scheduler refuses the new configuration, so it was not sent to the server.</source>
        <translation>Сервер печати не принимает новую конфигурацию, поэтому она не была отправлена на сервер.</translation>
    </message>
    <message>
        <source>The server was not restarted: %1 is not installed.</source>
        <translation>Сервер не перезапущен: %1 не установлен.</translation>
    </message>
    <message>
        <source>%1 did not finish within %2 seconds.</source>
        <translation>%1 не завершился за %2 с.</translation>
    </message>
    <message>
        <source>%1 ended with exit status %2.</source>
        <translation>%1 завершился с кодом возврата %2.</translation>
    </message>
    <message>
        <source>The server was not restarted.</source>
        <translation>Сервер не перезапущен.</translation>
    </message>
    <message numerus="yes">
        <source>Processing jobs: %n</source>
        <translation>
            <numerusform>%n задание в обработке</numerusform>
            <numerusform>%n задания в обработке</numerusform>
            <numerusform>%n заданий в обработке</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Aborted jobs: %n</source>
        <translation>
            <numerusform>%n прерванное задание</numerusform>
            <numerusform>%n прерванных задания</numerusform>
            <numerusform>%n прерванных заданий</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PrinterWizard</name>
    <message>
        <source>Printer/Class Setup Wizard</source>
        <translation>Мастер настройки принтера/класса</translation>
    </message>
</context>
<context>
    <name>PrintersWidget</name>
    <message>
        <source>Destinations</source>
        <translation>Принтеры и классы</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Pause/resume</source>
        <translation>Приостановить/возобновить</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Purge jobs</source>
        <translation>Очистить очередь</translation>
    </message>
    <message>
        <source>Add new...</source>
        <translation>Добавить...</translation>
    </message>
    <message>
        <source>Print options...</source>
        <translation>Параметры печати...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Set default for me</source>
        <translation>Сделать моим по умолчанию</translation>
    </message>
    <message>
        <source>Set default for all</source>
        <translation>Сделать по умолчанию для всех</translation>
    </message>
    <message>
        <source>Print test page</source>
        <translation>Напечатать пробную страницу</translation>
    </message>
    <message>
        <source>Show local printers</source>
        <translation>Показывать локальные принтеры</translation>
    </message>
    <message>
        <source>Show remote printers</source>
        <translation>Показывать удалённые принтеры</translation>
    </message>
    <message>
        <source>Show not shared printers</source>
        <translation>Показывать принтеры без общего доступа</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>&amp;Update Interval...</source>
        <translation>&amp;Интервал обновления...</translation>
    </message>
    <message>
        <source>Classes</source>
        <translation>Классы</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Принтеры</translation>
    </message>
    <message>
        <source>General information</source>
        <translation>Общие сведения</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Сведения</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Задания</translation>
    </message>
    <message>
        <source>Setup</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Members</source>
        <translation>Члены</translation>
    </message>
    <message>
        <source>Device URI</source>
        <translation>URI устройства</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Расположение</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Модель</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>простаивает</translation>
    </message>
    <message>
        <source>processing</source>
        <translation>печатает</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Приостановить</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>остановлен</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Возобновить</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Состояние</translation>
    </message>
    <message>
        <source>Capabilities</source>
        <translation>Возможности</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Неизвестный</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Удаление</translation>
    </message>
    <message>
        <source>class</source>
        <translation>класса</translation>
    </message>
    <message>
        <source>printer</source>
        <translation>принтера</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Вы уверены?</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Deletion aborted.</source>
        <translation>Удаление прервано.</translation>
    </message>
    <message>
        <source>Purge jobs confirmation</source>
        <translation>Подтверждение очистки очереди</translation>
    </message>
    <message>
        <source>All printer&apos;s jobs will be purged. Continue?</source>
        <translation>Все задания принтера будут удалены из очереди. Продолжить?</translation>
    </message>
    <message>
        <source>Members of class</source>
        <translation>Члены класса</translation>
    </message>
    <message>
        <source>Empty class</source>
        <translation>Пустой класс</translation>
    </message>
    <message>
        <source>Unable remove all members from class.
Class must be contain at least 1 member.</source>
        <translation>Нельзя удалить из класса всех членов.
Класс должен содержать хотя бы один принтер.</translation>
    </message>
    <message>
        <source>CUPS error</source>
        <translation>Ошибка CUPS</translation>
    </message>
    <message>
        <source>Unable to set class&apos; members.</source>
        <translation>Не удалось задать члены класса.</translation>
    </message>
    <message>
        <source>Test Page Error!</source>
        <translation>Ошибка пробной страницы!</translation>
    </message>
    <message>
        <source>Test page file is missing!
Check your CUPS installation.</source>
        <translation>Файл пробной страницы отсутствует!
Проверьте установку CUPS.</translation>
    </message>
    <message>
        <source>Test page</source>
        <translation>Пробная страница</translation>
    </message>
    <message>
        <source>Failed to print Test Page on %1!</source>
        <translation>Не удалось напечатать пробную страницу на %1!</translation>
    </message>
    <message>
        <source>Test Page</source>
        <translation>Пробная страница</translation>
    </message>
    <message>
        <source>Test Page sent to %1,
Job ID: %2</source>
        <translation>Пробная страница отправлена на %1,
номер задания: %2</translation>
    </message>
</context>
<context>
    <name>PrintersWidgetAdaptor</name>
    <message>
        <source>A destination name has at most %1 bytes.</source>
        <translation>Имя назначения не может быть длиннее %1 байт.</translation>
    </message>
</context>
<context>
    <name>PrivConfigDialog</name>
    <message>
        <source>Priviledged actions setup</source>
        <translation>Настройка привилегированных действий</translation>
    </message>
    <message>
        <source>&lt;H3&gt;Please, select a preffered way to call for priviledged operations:&lt;/h3&gt;</source>
        <translation>&lt;H3&gt;Выберите предпочтительный способ выполнения привилегированных операций:&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>Call priviledged operations</source>
        <translation>Выполнять привилегированные операции</translation>
    </message>
    <message>
        <source>Using PolicyKit-enabled helper (Local CUPS server only)</source>
        <translation>Через вспомогательную программу с PolicyKit (только для локального сервера CUPS)</translation>
    </message>
    <message>
        <source>Using native CUPS IPP operations (Universal way)</source>
        <translation>Через собственные IPP-операции CUPS (универсальный способ)</translation>
    </message>
    <message>
        <source>Don&apos;t try to get root authorization (the Kerberos case)</source>
        <translation>Не пытаться получить права root (вариант для Kerberos)</translation>
    </message>
</context>
<context>
    <name>PrivilegedHelper</name>
    <message>
        <source>%1 is not a valid queue name</source>
        <translation>%1 — недопустимое имя очереди</translation>
    </message>
    <message>
        <source>%1 is not a valid device URI</source>
        <translation>%1 — недопустимый URI устройства</translation>
    </message>
    <message>
        <source>%1 is not a valid driver name</source>
        <translation>%1 — недопустимое имя драйвера</translation>
    </message>
    <message>
        <source>%1 is neither &quot;-&quot; nor an absolute path</source>
        <translation>%1 не является ни &quot;-&quot;, ни абсолютным путём</translation>
    </message>
    <message>
        <source>%1 is not a valid text: at most %2 bytes of UTF-8 without control characters</source>
        <translation>%1 — недопустимый текст: разрешено не более %2 байт UTF-8 без управляющих символов</translation>
    </message>
    <message>
        <source>%1 is neither &quot;true&quot; nor &quot;false&quot;</source>
        <translation>%1 не является ни &quot;true&quot;, ни &quot;false&quot;</translation>
    </message>
    <message>
        <source>%1 is not a valid banner name</source>
        <translation>%1 — недопустимое имя титульного листа</translation>
    </message>
    <message>
        <source>%1 is not %2</source>
        <translation>%1 не совпадает с %2</translation>
    </message>
    <message>
        <source>usage: tessel-admin-printer-helper ACTION &lt; ARGUMENTS</source>
        <translation>использование: tessel-admin-printer-helper ДЕЙСТВИЕ &lt; АРГУМЕНТЫ</translation>
    </message>
    <message>
        <source>unknown action %1</source>
        <translation>неизвестное действие %1</translation>
    </message>
    <message>
        <source>the configuration on standard input is not a text file</source>
        <translation>конфигурация на стандартном вводе не является текстовым файлом</translation>
    </message>
    <message>
        <source>the action takes %1 arguments, not %2</source>
        <translation>действие принимает аргументов: %1, а не %2</translation>
    </message>
    <message>
        <source>argument %1 is longer than %2 bytes</source>
        <translation>аргумент %1 длиннее %2 байт</translation>
    </message>
    <message>
        <source>the action takes %1 arguments, not more</source>
        <translation>действие принимает не более %1 аргументов</translation>
    </message>
    <message>
        <source>the data on standard input exceeds %1 bytes</source>
        <translation>данные на стандартном вводе превышают %1 байт</translation>
    </message>
    <message>
        <source>cannot read standard input: %1</source>
        <translation>не удаётся прочитать стандартный ввод: %1</translation>
    </message>
    <message>
        <source>standard input does not hold a PPD file</source>
        <translation>на стандартном вводе нет файла PPD</translation>
    </message>
    <message>
        <source>cannot read the PPD file: %1</source>
        <translation>не удаётся прочитать файл PPD: %1</translation>
    </message>
    <message>
        <source>the PPD file is not valid: %1 on line %2</source>
        <translation>файл PPD недопустим: %1 в строке %2</translation>
    </message>
    <message>
        <source>no valid action to carry out</source>
        <translation>нет допустимого действия для выполнения</translation>
    </message>
    <message>
        <source>cannot reach the scheduler at %1: %2</source>
        <translation>не удаётся связаться с сервером печати по адресу %1: %2</translation>
    </message>
    <message>
        <source>cannot look up %1: %2</source>
        <translation>не удаётся найти %1: %2</translation>
    </message>
    <message>
        <source>there is no printer or class named %1</source>
        <translation>нет принтера или класса с именем %1</translation>
    </message>
    <message>
        <source>cannot list the drivers of the scheduler: %1</source>
        <translation>не удаётся получить список драйверов сервера печати: %1</translation>
    </message>
    <message>
        <source>the scheduler offers no driver named %1</source>
        <translation>на сервере печати нет драйвера с именем %1</translation>
    </message>
    <message>
        <source>the scheduler refused the request: %1</source>
        <translation>сервер печати отклонил запрос: %1</translation>
    </message>
    <message>
        <source>%1 is a class, not a printer</source>
        <translation>%1 — класс, а не принтер</translation>
    </message>
    <message>
        <source>a new printer needs a driver</source>
        <translation>для нового принтера нужен драйвер</translation>
    </message>
    <message>
        <source>cannot hold the PPD file in memory: %1</source>
        <translation>не удаётся разместить файл PPD в памяти: %1</translation>
    </message>
    <message>
        <source>cannot look up the banners of %1: %2</source>
        <translation>не удаётся получить титульные листы %1: %2</translation>
    </message>
    <message>
        <source>%1 offers no banner named %2</source>
        <translation>у %1 нет титульного листа с именем %2</translation>
    </message>
    <message>
        <source>%1 is a printer, not a class</source>
        <translation>%1 — принтер, а не класс</translation>
    </message>
    <message>
        <source>%1 is a class, and classes cannot be members of a class</source>
        <translation>%1 — класс, а классы не могут быть членами класса</translation>
    </message>
    <message>
        <source>cannot hold the configuration in memory: %1</source>
        <translation>не удаётся разместить конфигурацию в памяти: %1</translation>
    </message>
    <message>
        <source>the scheduler did not hand out %1: %2</source>
        <translation>сервер печати не выдал %1: %2</translation>
    </message>
    <message>
        <source>cannot write the configuration to standard output: %1</source>
        <translation>не удаётся записать конфигурацию на стандартный вывод: %1</translation>
    </message>
    <message>
        <source>the scheduler refuses this configuration: %1</source>
        <translation>сервер печати не принимает эту конфигурацию: %1</translation>
    </message>
    <message>
        <source>cannot check the configuration, so it was not stored: %1</source>
        <translation>не удаётся проверить конфигурацию, поэтому она не сохранена: %1</translation>
    </message>
    <message>
        <source>the scheduler did not store %1: %2</source>
        <translation>сервер печати не сохранил %1: %2</translation>
    </message>
</context>
<context>
    <name>PropertyEditor</name>
    <message>
        <source>Name</source>
        <translation>Имя</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>value</source>
        <translation>значение</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Tessel Printer Manager&lt;p&gt;Allows to view, edit and manage print queues, configure print server.</source>
        <translation>Tessel Printer Manager&lt;p&gt;Просмотр, изменение и управление очередями печати, настройка сервера печати.</translation>
    </message>
    <message>
        <source>Fatal error</source>
        <translation>Критическая ошибка</translation>
    </message>
    <message>
        <source>Unable to connect to CUPS server. Check &lt;i&gt;cupsd&lt;/i&gt; is running</source>
        <translation>Не удалось подключиться к серверу CUPS. Проверьте, что &lt;i&gt;cupsd&lt;/i&gt; запущен</translation>
    </message>
    <message>
        <source>Tessel Printer Manager</source>
        <translation>Tessel Printer Manager</translation>
    </message>
    <message>
        <source>Unable to connect to CUPS server. Check, if &lt;i&gt;cupsd&lt;/i&gt; is running</source>
        <translation>Не удалось подключиться к серверу CUPS. Проверьте, запущен ли &lt;i&gt;cupsd&lt;/i&gt;</translation>
    </message>
</context>
<context>
    <name>Ruv_SmbSelector</name>
    <message>
        <source>Authenticate</source>
        <translation>Аутентификация</translation>
    </message>
    <message>
        <source>SMB printer selection</source>
        <translation>Выбор принтера SMB</translation>
    </message>
    <message>
        <source>Workgroup :</source>
        <translation>Рабочая группа :</translation>
    </message>
    <message>
        <source>Server :</source>
        <translation>Сервер :</translation>
    </message>
    <message>
        <source>Printer :</source>
        <translation>Принтер :</translation>
    </message>
    <message>
        <source>Scan network...</source>
        <translation>Сканировать сеть...</translation>
    </message>
    <message>
        <source>Choose a printer :</source>
        <translation>Выберите принтер :</translation>
    </message>
    <message>
        <source>Printer list</source>
        <translation>Список принтеров</translation>
    </message>
    <message>
        <source>The user name and the password may not contain line breaks.</source>
        <translation>Имя пользователя и пароль не могут содержать переводы строк.</translation>
    </message>
    <message>
        <source>No printer found.</source>
        <translation>Принтеры не найдены.</translation>
    </message>
</context>
<context>
    <name>ScanNetwork</name>
    <message>
        <source>Network Printer Scan</source>
        <translation>Поиск сетевых принтеров</translation>
    </message>
    <message>
        <source>Devices Found:</source>
        <translation>Найденные устройства:</translation>
    </message>
    <message>
        <source>Device Address:</source>
        <translation>Адрес устройства:</translation>
    </message>
    <message>
        <source>Scan Settings</source>
        <translation>Параметры поиска</translation>
    </message>
    <message>
        <source>IP range</source>
        <translation>Диапазон IP</translation>
    </message>
    <message>
        <source>SubNet:</source>
        <translation>Подсеть:</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>Field for IPv4 address input and edit</source>
        <translation>Поле ввода и правки адреса IPv4</translation>
    </message>
    <message>
        <source>The field to input and edit IPv4 address.</source>
        <translation>Поле для ввода и правки адреса IPv4.</translation>
    </message>
    <message>
        <source>End:</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Узел</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Порт:</translation>
    </message>
    <message>
        <source>9100</source>
        <translation>9100</translation>
    </message>
    <message>
        <source>80</source>
        <translation>80</translation>
    </message>
    <message>
        <source>631</source>
        <translation>631</translation>
    </message>
    <message>
        <source>Time to connect:</source>
        <translation>Время на соединение:</translation>
    </message>
    <message>
        <source> ms.</source>
        <translation> мс.</translation>
    </message>
    <message>
        <source>&amp;Scan...</source>
        <translation>&amp;Сканировать...</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Host Lookup Error</source>
        <translation>Ошибка поиска узла</translation>
    </message>
    <message>
        <source>Error in lookup for host &apos;%1&apos;:
%2</source>
        <translation>Ошибка поиска узла «%1»:
%2</translation>
    </message>
    <message>
        <source>Invalid IP address!</source>
        <translation>Недопустимый IP-адрес!</translation>
    </message>
    <message>
        <source>Start of range address is not correct!</source>
        <translation>Неверный начальный адрес диапазона!</translation>
    </message>
    <message>
        <source>End of range address is not correct!</source>
        <translation>Неверный конечный адрес диапазона!</translation>
    </message>
    <message>
        <source>Scanning network...</source>
        <translation>Сканирование сети...</translation>
    </message>
    <message>
        <source>Stop scan</source>
        <translation>Остановить сканирование</translation>
    </message>
</context>
<context>
    <name>SchedulerConfigCheck</name>
    <message>
        <source>the scheduler program %1 is not installed in %2</source>
        <translation>программа сервера печати %1 не установлена в %2</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>не удаётся прочитать %1</translation>
    </message>
    <message>
        <source>%1 starts with a byte-order mark, which the scheduler refuses</source>
        <translation>%1 начинается с метки порядка байтов, которую сервер печати не принимает</translation>
    </message>
    <message>
        <source>%1 -t did not finish: %2</source>
        <translation>%1 -t не завершился: %2</translation>
    </message>
    <message>
        <source>cannot create a temporary directory: %1</source>
        <translation>не удаётся создать временный каталог: %1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
</context>
<context>
    <name>SelectBackendPage</name>
    <message>
        <source>Setup printer connection</source>
        <translation>Настройка подключения принтера</translation>
    </message>
    <message>
        <source>Specify printer Backend and URI</source>
        <translation>Укажите способ подключения и URI принтера</translation>
    </message>
    <message>
        <source>Direct connection</source>
        <translation>Прямое подключение</translation>
    </message>
    <message>
        <source>Network connection</source>
        <translation>Сетевое подключение</translation>
    </message>
    <message>
        <source>Custom device URI</source>
        <translation>Произвольный URI устройства</translation>
    </message>
    <message>
        <source>Parallel Port&apos;s</source>
        <translation>Параллельные порты</translation>
    </message>
    <message>
        <source>Serial Printer&apos;s</source>
        <translation>Последовательные порты</translation>
    </message>
    <message>
        <source>AppSocket/JetDirect</source>
        <translation>AppSocket/JetDirect</translation>
    </message>
    <message>
        <source>Internet Printing Protocol</source>
        <translation>Протокол интернет-печати (IPP)</translation>
    </message>
    <message>
        <source>Line Printer Daemon(UNIX)</source>
        <translation>Line Printer Daemon (UNIX)</translation>
    </message>
    <message>
        <source>Windows or Samba shared printer</source>
        <translation>Общий принтер Windows или Samba</translation>
    </message>
    <message>
        <source>Parallel Port#%1</source>
        <translation>Параллельный порт №%1</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Последовательный порт</translation>
    </message>
    <message>
        <source>Enter Queue Name</source>
        <translation>Введите имя очереди</translation>
    </message>
    <message>
        <source>Enter LPD queue name (case sensitive):
</source>
        <translation>Введите имя очереди LPD (с учётом регистра):
</translation>
    </message>
    <message>
        <source>Server connection error</source>
        <translation>Ошибка соединения с сервером</translation>
    </message>
    <message>
        <source>Failed to connect server.
%1</source>
        <translation>Не удалось подключиться к серверу.
%1</translation>
    </message>
</context>
<context>
    <name>SelectBackendWidget</name>
    <message>
        <source>Form</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Select Backend</source>
        <translation>Выбор способа подключения</translation>
    </message>
    <message>
        <source>Select printer connection type and URI using this tree.</source>
        <translation>Выберите в этом дереве тип подключения и URI принтера.</translation>
    </message>
    <message>
        <source>Printer Connection</source>
        <translation>Подключение принтера</translation>
    </message>
    <message>
        <source>URI</source>
        <translation>URI</translation>
    </message>
    <message>
        <source>Scan...</source>
        <translation>Сканировать...</translation>
    </message>
    <message>
        <source>Device URI:</source>
        <translation>URI устройства:</translation>
    </message>
</context>
<context>
    <name>ServerStateBar</name>
    <message>
        <source>The print server %1 does not answer. The printers and jobs shown may no longer be current.</source>
        <translation>Сервер печати %1 не отвечает. Показанные принтеры и задания могут быть устаревшими.</translation>
    </message>
    <message>
        <source>The print server %1 cannot be reached. The printers and jobs shown may no longer be current.</source>
        <translation>Сервер печати %1 недоступен. Показанные принтеры и задания могут быть устаревшими.</translation>
    </message>
</context>
<context>
    <name>SetEnvDialog</name>
    <message>
        <source>Set environment</source>
        <translation>Установка переменной окружения</translation>
    </message>
    <message>
        <source>Environment name</source>
        <translation>Имя переменной окружения</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
</context>
<context>
    <name>SmbLogin</name>
    <message>
        <source>Server Login</source>
        <translation>Вход на сервер</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Login server&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Вход на сервер&lt;/h2&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Server:&lt;/b&gt;</source>
        <translation>&lt;b&gt;Сервер:&lt;/b&gt;</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Пользователь:</translation>
    </message>
    <message>
        <source>&lt;b&gt;Password:&lt;/b&gt;</source>
        <translation>&lt;b&gt;Пароль:&lt;/b&gt;</translation>
    </message>
</context>
<context>
    <name>SuCommand</name>
    <message>
        <source>the command must follow &quot;-c&quot;</source>
        <translation>команда должна следовать за &quot;-c&quot;</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>команда не указана</translation>
    </message>
    <message>
        <source>usage: tessel-su -c COMMAND [ARGUMENT]...</source>
        <translation>использование: tessel-su -c КОМАНДА [АРГУМЕНТ]...</translation>
    </message>
</context>
<context>
    <name>TesselHelpMenu</name>
    <message>
        <source>&amp;Help</source>
        <translation>Сп&amp;равка</translation>
    </message>
    <message>
        <source>&amp;About %1</source>
        <translation>&amp;О программе %1</translation>
    </message>
    <message>
        <source>About &amp;Qt</source>
        <translation>О &amp;Qt</translation>
    </message>
    <message>
        <source>%1&lt;p&gt;Version %2&lt;/p&gt;</source>
        <translation>%1&lt;p&gt;Версия %2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>О программе %1</translation>
    </message>
</context>
<context>
    <name>TesselHostAddress</name>
    <message>
        <source>Octet %1 of the IPv4 address</source>
        <translation>Октет %1 адреса IPv4</translation>
    </message>
</context>
<context>
    <name>TesselPathSelector</name>
    <message>
        <source>Browse</source>
        <translation>Обзор</translation>
    </message>
</context>
<context>
    <name>TweakDestWidget</name>
    <message>
        <source>Change...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Device Info&lt;/h4&gt;</source>
        <translation>&lt;h4&gt;Сведения об устройстве&lt;/h4&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Driver Info&lt;/h4&gt;</source>
        <translation>&lt;h4&gt;Сведения о драйвере&lt;/h4&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;Class Members&lt;/h4&gt;</source>
        <translation>&lt;h4&gt;Члены класса&lt;/h4&gt;</translation>
    </message>
    <message>
        <source>&lt;h4&gt;General Info&lt;/h4&gt;</source>
        <translation>&lt;h4&gt;Общие сведения&lt;/h4&gt;</translation>
    </message>
    <message>
        <source>&lt;b&gt;Name:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Location:&lt;/b&gt; %2&lt;br&gt;&lt;b&gt;Info:&lt;/b&gt; %3%4</source>
        <translation>&lt;b&gt;Имя:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Расположение:&lt;/b&gt; %2&lt;br&gt;&lt;b&gt;Описание:&lt;/b&gt; %3%4</translation>
    </message>
    <message>
        <source>&lt;br&gt;Class is shared</source>
        <translation>&lt;br&gt;Класс общедоступен</translation>
    </message>
    <message>
        <source>&lt;b&gt;Members:&lt;/b&gt; %1</source>
        <translation>&lt;b&gt;Члены:&lt;/b&gt; %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;Name:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Location:&lt;/b&gt;%2&lt;br&gt;&lt;b&gt;Info:&lt;/b&gt; %3%4</source>
        <translation>&lt;b&gt;Имя:&lt;/b&gt; %1&lt;br&gt;&lt;b&gt;Расположение:&lt;/b&gt; %2&lt;br&gt;&lt;b&gt;Описание:&lt;/b&gt; %3%4</translation>
    </message>
    <message>
        <source>&lt;br&gt;Printer is shared</source>
        <translation>&lt;br&gt;Принтер общедоступен</translation>
    </message>
    <message>
        <source>&lt;b&gt;Device URI:&lt;/b&gt; %1</source>
        <translation>&lt;b&gt;URI устройства:&lt;/b&gt; %1</translation>
    </message>
    <message>
        <source>&lt;b&gt;Make and Model:&lt;/b&gt; %1</source>
        <translation>&lt;b&gt;Производитель и модель:&lt;/b&gt; %1</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>The queue %1 was not created, so %2 was kept.</source>
        <translation>Очередь %1 не создана, поэтому %2 сохранена.</translation>
    </message>
    <message>
        <source>The jobs of %1 could not be moved to %2: %3
%1 was kept.</source>
        <translation>Не удалось переместить задания %1 в %2: %3
%1 сохранена.</translation>
    </message>
    <message>
        <source>%1 was created, but %2 could not be deleted.</source>
        <translation>%1 создана, но %2 не удалось удалить.</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Update Interval</source>
        <translation>Интервал обновления</translation>
    </message>
    <message>
        <source> sec</source>
        <translation> с</translation>
    </message>
    <message>
        <source>Printer tree update interval</source>
        <translation>Интервал обновления дерева принтеров</translation>
    </message>
</context>
</TS>
