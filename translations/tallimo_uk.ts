<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk_UA" sourcelanguage="ru_RU">
<context>
    <name>Boxes</name>
    <message>
        <source>Сервер отказал этому подключению или отправителю, а не номеру абонента. Попробуйте позже или из другой сети.</source>
        <translation>Сервер відхилив це з’єднання або відправника, а не номер абонента. Спробуйте пізніше або з іншої мережі.</translation>
    </message>
    <message>
        <source>Проверьте номер и тип абонента.</source>
        <translation>Перевірте номер і тип абонента.</translation>
    </message>
    <message>
        <source>Шлюз не принял текст сообщения. Измените текст или попробуйте позже.</source>
        <translation>Шлюз не прийняв текст повідомлення. Змініть текст або спробуйте пізніше.</translation>
    </message>
    <message>
        <source>Сервер не подтвердил приём, но сообщение могло дойти до абонента. Прежде чем посылать его ещё раз, убедитесь, что оно не пришло.</source>
        <translation>Сервер не підтвердив отримання, але повідомлення могло дійти до абонента. Перш ніж надсилати його ще раз, переконайтеся, що воно не надійшло.</translation>
    </message>
    <message>
        <source>Нет связи с сетью. Проверьте подключение к Internet и нажмите «Послать» ещё раз.</source>
        <translation>Немає зв’язку з мережею. Перевірте підключення до інтернету й натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Почтовый сервер оператора сейчас недоступен, попробуйте позже. Некоторые провайдеры закрывают исходящие соединения на порт 25: тогда сообщение уйдёт только из другой сети.</source>
        <translation>Поштовий сервер оператора зараз недоступний, спробуйте пізніше. Деякі провайдери блокують вихідні з’єднання на порт 25: тоді повідомлення вдасться надіслати лише з іншої мережі.</translation>
    </message>
    <message>
        <source>Связь с сервером прервалась, сообщение не отправлено. Нажмите «Послать» ещё раз.</source>
        <translation>Зв’язок із сервером обірвався, повідомлення не надіслано. Натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: такого файла нет.</source>
        <translation>Не вдалося вкласти файл «%1»: такого файлу немає.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: нет прав на его чтение.</source>
        <translation>Не вдалося вкласти файл «%1»: немає дозволу на його читання.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: это не обычный файл.</source>
        <translation>Не вдалося вкласти файл «%1»: це не звичайний файл.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: %2.</source>
        <translation>Не вдалося вкласти файл «%1»: %2.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: файл стал короче, пока его читали.</source>
        <translation>Не вдалося вкласти файл «%1»: файл став коротшим, поки його читали.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: в его имени есть символы, которых нет в Windows-1251.</source>
        <translation>Не вдалося вкласти файл «%1»: у його назві є символи, яких немає в Windows-1251.</translation>
    </message>
    <message>
        <source>Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet...</source>
        <translation>Повідомлення не надіслано. Перевірте номер, тип абонента, підключення до інтернету...</translation>
    </message>
    <message>
        <source>Ошибка: %1</source>
        <translation>Помилка: %1</translation>
    </message>
    <message>
        <source>Winsock Error</source>
        <translation>Помилка Winsock</translation>
    </message>
    <message>
        <source>Выберите тип абонента: контрактный или Ace&amp;base.</source>
        <translation>Виберіть тип абонента: контрактний або Ace&amp;base.</translation>
    </message>
    <message>
        <source>Сообщение пустое. Введите его текст и нажмите «Послать» ещё раз.</source>
        <translation>Повідомлення порожнє. Введіть його текст і натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Эти символы нельзя отправить в SMS: %1
Уберите их и нажмите «Послать» ещё раз.</source>
        <translation>Ці символи не можна надіслати в SMS: %1
Видаліть їх і натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Ваше сообщение отправлено!</source>
        <translation>Ваше повідомлення надіслано!</translation>
    </message>
    <message>
        <source>Сервер пока отложил сообщение. Нажмите «Послать» ещё раз немного позже — скорее всего, оно пройдёт.</source>
        <translation>Сервер поки що відклав повідомлення. Натисніть «Надіслати» ще раз трохи пізніше — найімовірніше, воно пройде.</translation>
    </message>
    <message>
        <source>Сервер не ответил за %1 с</source>
        <translation>Сервер не відповів за %1 с</translation>
    </message>
    <message>
        <source>Это номер другого оператора. Через этот шлюз SMS доходят только до абонентов KyivStar с кодом 067. Номер в поле не изменён.</source>
        <translation>Це номер іншого оператора. Через цей шлюз SMS доходять лише до абонентів Київстар з кодом 067. Номер у полі не змінено.</translation>
    </message>
    <message>
        <source>В этом тексте нет номера абонента. Номер — это семь цифр после 067, например 067 123 45 67 или 123-45-67. Номер в поле не изменён.</source>
        <translation>У цьому тексті немає номера абонента. Номер — це сім цифр після 067, наприклад 067 123 45 67 або 123-45-67. Номер у полі не змінено.</translation>
    </message>
    <message>
        <source>Winsock Error number %1</source>
        <translation>Помилка Winsock № %1</translation>
    </message>
    <message>
        <source>Ошибка: ответ сервера длиннее %1 КБ. Его начало:</source>
        <translation>Помилка: відповідь сервера довша за %1 КБ. Її початок:</translation>
    </message>
    <message>
        <source>Эта сеть работает только по IPv6, а почтовый сервер оператора доступен только по IPv4. Отправьте сообщение из другой сети, где есть IPv4.</source>
        <translation>Ця мережа працює лише через IPv6, а поштовий сервер оператора доступний лише через IPv4. Надішліть повідомлення з іншої мережі, де є IPv4.</translation>
    </message>
    <message>
        <source>Введите номер телефона: семь цифр после 067, например 1234567, и нажмите «Послать» ещё раз.</source>
        <translation>Введіть номер телефону: сім цифр після 067, наприклад 1234567, і натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Номер «%1» не подходит: нужны семь цифр после 067, например 1234567. Исправьте номер и нажмите «Послать» ещё раз.</source>
        <translation>Номер «%1» не підходить: потрібно сім цифр після 067, наприклад 1234567. Виправте номер і натисніть «Надіслати» ще раз.</translation>
    </message>
    <message>
        <source>Вместо %1 можно написать %2.</source>
        <translation>Замість %1 можна написати %2.</translation>
    </message>
</context>
<context>
    <name>TallimoApplication</name>
    <message>
        <source>tallimo: нужен графический сеанс (X11 или Wayland), а открыть его не удалось</source>
        <translation>tallimo: потрібен графічний сеанс (X11 або Wayland), а відкрити його не вдалося</translation>
    </message>
</context>
<context>
    <name>frmSendMail</name>
    <message>
        <source>Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)</source>
        <translation>Надсилання SMS абонентам Київстар (Tallimo v.1.0)</translation>
    </message>
    <message numerus="yes">
        <source>Вы ввели: %1 символов, осталось - %2</source>
        <translation>
            <numerusform>Введено %1 символ, залишилося %2</numerusform>
            <numerusform>Введено %1 символи, залишилося %2</numerusform>
            <numerusform>Введено %1 символів, залишилося %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Хост SMTP:</source>
        <translation>Хост SMTP:</translation>
    </message>
    <message>
        <source>Ваш E-mail:</source>
        <translation>Ваш e-mail:</translation>
    </message>
    <message>
        <source>E-mail адресата:</source>
        <translation>E-mail адресата:</translation>
    </message>
    <message>
        <source>Тема:</source>
        <translation>Тема:</translation>
    </message>
    <message>
        <source>Новое сообщение</source>
        <translation>Нове повідомлення</translation>
    </message>
    <message>
        <source>Послать</source>
        <translation>Надіслати</translation>
    </message>
    <message>
        <source>Attach files</source>
        <translation>Вкладені файли</translation>
    </message>
    <message>
        <source>Вложить...</source>
        <translation>Вкласти...</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Вилучити</translation>
    </message>
    <message>
        <source>Выберите тип абонента:</source>
        <translation>Виберіть тип абонента:</translation>
    </message>
    <message>
        <source>Контрактный</source>
        <translation>Контрактний</translation>
    </message>
    <message>
        <source>Ace&amp;&amp;base</source>
        <translation>Ace&amp;&amp;base</translation>
    </message>
    <message>
        <source>Номер телефона (7-значный)</source>
        <translation>Номер телефону (7 цифр)</translation>
    </message>
    <message>
        <source>Введите текст сообщения:</source>
        <translation>Введіть текст повідомлення:</translation>
    </message>
    <message>
        <source>Tallimo 1.0 — SMS через почтовый шлюз оператора</source>
        <translation>Tallimo 1.0 — SMS через поштовий шлюз оператора</translation>
    </message>
    <message>
        <source>Ждите: сообщение отправляется...</source>
        <translation>Зачекайте: SMS надсилається...</translation>
    </message>
    <message>
        <source>Осталось символов: %1</source>
        <translation>Залишилося символів: %1</translation>
    </message>
    <message numerus="yes">
        <source>Больше %n знаков в номер не входит</source>
        <translation>
            <numerusform>У номері може бути не більше %n цифри</numerusform>
            <numerusform>У номері може бути не більше %n цифр</numerusform>
            <numerusform>У номері може бути не більше %n цифр</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Больше %n символов в сообщение не входит</source>
        <translation>
            <numerusform>У повідомленні може бути не більше %n символу</numerusform>
            <numerusform>У повідомленні може бути не більше %n символів</numerusform>
            <numerusform>У повідомленні може бути не більше %n символів</numerusform>
        </translation>
    </message>
    <message>
        <source>Текст сообщения пуст, фокус на кнопке «Новое сообщение».</source>
        <translation>Текст повідомлення порожній, фокус на кнопці «Нове повідомлення».</translation>
    </message>
    <message>
        <source>Текст сообщения удалён, фокус на кнопке «Новое сообщение». Shift+Tab и Ctrl+Z вернут его.</source>
        <translation>Текст повідомлення видалено, фокус на кнопці «Нове повідомлення». Shift+Tab і Ctrl+Z повернуть його.</translation>
    </message>
    <message>
        <source>Вы ввели, символов: %1</source>
        <translation>Введено символів: %1</translation>
    </message>
    <message>
        <source>В поле записан номер %1: семь цифр после 067</source>
        <translation>У полі тепер номер %1: сім цифр після 067</translation>
    </message>
    <message>
        <source>В поле «%1» — больше семи знаков. Номер — это семь цифр после 067.</source>
        <translation>У полі «%1» — понад сім знаків. Номер — це сім цифр після 067.</translation>
    </message>
</context>
</TS>
