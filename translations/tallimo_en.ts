<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Boxes</name>
    <message>
        <source>Сервер отказал этому подключению или отправителю, а не номеру абонента. Попробуйте позже или из другой сети.</source>
        <translation>The server turned away this connection or the sender, not the subscriber’s number. Try again later or from another network.</translation>
    </message>
    <message>
        <source>Проверьте номер и тип абонента.</source>
        <translation>Check the subscriber’s number and the subscriber type.</translation>
    </message>
    <message>
        <source>Шлюз не принял текст сообщения. Измените текст или попробуйте позже.</source>
        <translation>The gateway did not accept the message text. Change the text or try again later.</translation>
    </message>
    <message>
        <source>Сервер не подтвердил приём, но сообщение могло дойти до абонента. Прежде чем посылать его ещё раз, убедитесь, что оно не пришло.</source>
        <translation>The server did not confirm receipt, but the message may have reached the subscriber. Before you send it again, make sure it has not arrived.</translation>
    </message>
    <message>
        <source>Нет связи с сетью. Проверьте подключение к Internet и нажмите «Послать» ещё раз.</source>
        <translation>No network. Check your Internet connection and press “Send” again.</translation>
    </message>
    <message>
        <source>Почтовый сервер оператора сейчас недоступен, попробуйте позже. Некоторые провайдеры закрывают исходящие соединения на порт 25: тогда сообщение уйдёт только из другой сети.</source>
        <translation>The operator’s mail server cannot be reached now; try again later. Some providers block outgoing connections to port 25: then the message can only be sent from another network.</translation>
    </message>
    <message>
        <source>Связь с сервером прервалась, сообщение не отправлено. Нажмите «Послать» ещё раз.</source>
        <translation>The connection to the server was lost and the message was not sent. Press “Send” again.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: такого файла нет.</source>
        <translation>Could not attach “%1”: there is no such file.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: нет прав на его чтение.</source>
        <translation>Could not attach “%1”: you are not allowed to read it.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: это не обычный файл.</source>
        <translation>Could not attach “%1”: it is not a regular file.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: %2.</source>
        <translation>Could not attach “%1”: %2.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: файл стал короче, пока его читали.</source>
        <translation>Could not attach “%1”: the file got shorter while it was being read.</translation>
    </message>
    <message>
        <source>Не удалось вложить файл «%1»: в его имени есть символы, которых нет в Windows-1251.</source>
        <translation>Could not attach “%1”: its name has characters that Windows-1251 lacks.</translation>
    </message>
    <message>
        <source>Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet...</source>
        <translation>Message not sent. Check the number, the subscriber type and your Internet connection...</translation>
    </message>
    <message>
        <source>Ошибка: %1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>Winsock Error</source>
        <translation>Winsock Error</translation>
    </message>
    <message>
        <source>Выберите тип абонента: контрактный или Ace&amp;base.</source>
        <translation>Choose the subscriber type: Contract or Ace&amp;base.</translation>
    </message>
    <message>
        <source>Сообщение пустое. Введите его текст и нажмите «Послать» ещё раз.</source>
        <translation>The message is empty. Type its text and press “Send” again.</translation>
    </message>
    <message>
        <source>Эти символы нельзя отправить в SMS: %1
Уберите их и нажмите «Послать» ещё раз.</source>
        <translation>These characters cannot be sent in an SMS: %1
Remove them and press “Send” again.</translation>
    </message>
    <message>
        <source>Ваше сообщение отправлено!</source>
        <translation>Your message has been sent!</translation>
    </message>
    <message>
        <source>Сервер пока отложил сообщение. Нажмите «Послать» ещё раз немного позже — скорее всего, оно пройдёт.</source>
        <translation>The server has put the message off for now. Press “Send” again a little later — it will most likely go through.</translation>
    </message>
    <message>
        <source>Сервер не ответил за %1 с</source>
        <translation>The server did not answer within %1 s</translation>
    </message>
    <message>
        <source>Это номер другого оператора. Через этот шлюз SMS доходят только до абонентов KyivStar с кодом 067. Номер в поле не изменён.</source>
        <translation>That number belongs to another operator. This gateway delivers SMS only to KyivStar subscribers with the code 067. The number in the box is unchanged.</translation>
    </message>
    <message>
        <source>В этом тексте нет номера абонента. Номер — это семь цифр после 067, например 067 123 45 67 или 123-45-67. Номер в поле не изменён.</source>
        <translation>That text holds no subscriber number. The number is the seven digits after 067, for example 067 123 45 67 or 123-45-67. The number in the box is unchanged.</translation>
    </message>
    <message>
        <source>Winsock Error number %1</source>
        <translation>Winsock Error number %1</translation>
    </message>
    <message>
        <source>Ошибка: ответ сервера длиннее %1 КБ. Его начало:</source>
        <translation>Error: the server’s reply is longer than %1 KB. It begins:</translation>
    </message>
    <message>
        <source>Эта сеть работает только по IPv6, а почтовый сервер оператора доступен только по IPv4. Отправьте сообщение из другой сети, где есть IPv4.</source>
        <translation>This network works over IPv6 alone, and the operator’s mail server can be reached over IPv4 only. Send the message from another network that has IPv4.</translation>
    </message>
    <message>
        <source>Введите номер телефона: семь цифр после 067, например 1234567, и нажмите «Послать» ещё раз.</source>
        <translation>Type the phone number: the seven digits after 067, for example 1234567, and press “Send” again.</translation>
    </message>
    <message>
        <source>Номер «%1» не подходит: нужны семь цифр после 067, например 1234567. Исправьте номер и нажмите «Послать» ещё раз.</source>
        <translation>“%1” is not a number this gateway takes: it needs the seven digits after 067, for example 1234567. Correct the number and press “Send” again.</translation>
    </message>
    <message>
        <source>Вместо %1 можно написать %2.</source>
        <translation>Instead of %1 you can write %2.</translation>
    </message>
</context>
<context>
    <name>TallimoApplication</name>
    <message>
        <source>tallimo: нужен графический сеанс (X11 или Wayland), а открыть его не удалось</source>
        <translation>tallimo: needs a graphical session (X11 or Wayland), and none could be opened</translation>
    </message>
</context>
<context>
    <name>frmSendMail</name>
    <message>
        <source>Отправка SMS абонентам KyivStar GSM (Tallimo v.1.0)</source>
        <translation>SMS to KyivStar GSM subscribers (Tallimo v.1.0)</translation>
    </message>
    <message numerus="yes">
        <source>Вы ввели: %1 символов, осталось - %2</source>
        <translation>
            <numerusform>You typed %1 character, %2 left</numerusform>
            <numerusform>You typed %1 characters, %2 left</numerusform>
        </translation>
    </message>
    <message>
        <source>Хост SMTP:</source>
        <translation>SMTP host:</translation>
    </message>
    <message>
        <source>Ваш E-mail:</source>
        <translation>Your e-mail:</translation>
    </message>
    <message>
        <source>E-mail адресата:</source>
        <translation>Recipient’s e-mail:</translation>
    </message>
    <message>
        <source>Тема:</source>
        <translation>Subject:</translation>
    </message>
    <message>
        <source>Новое сообщение</source>
        <translation>New message</translation>
    </message>
    <message>
        <source>Послать</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Attach files</source>
        <translation>Attach files</translation>
    </message>
    <message>
        <source>Вложить...</source>
        <translation>Attach...</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Выберите тип абонента:</source>
        <translation>Subscriber type:</translation>
    </message>
    <message>
        <source>Контрактный</source>
        <translation>Contract</translation>
    </message>
    <message>
        <source>Ace&amp;&amp;base</source>
        <translation>Ace&amp;&amp;base</translation>
    </message>
    <message>
        <source>Номер телефона (7-значный)</source>
        <translation>Phone number (7 digits)</translation>
    </message>
    <message>
        <source>Введите текст сообщения:</source>
        <translation>Type your message:</translation>
    </message>
    <message>
        <source>Tallimo 1.0 — SMS через почтовый шлюз оператора</source>
        <translation>Tallimo 1.0 — SMS through the operator’s mail gateway</translation>
    </message>
    <message>
        <source>Ждите: сообщение отправляется...</source>
        <translation>Please wait: sending the message...</translation>
    </message>
    <message>
        <source>Осталось символов: %1</source>
        <translation>Characters left: %1</translation>
    </message>
    <message numerus="yes">
        <source>Больше %n знаков в номер не входит</source>
        <translation>
            <numerusform>The number takes no more than %n digit</numerusform>
            <numerusform>The number takes no more than %n digits</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Больше %n символов в сообщение не входит</source>
        <translation>
            <numerusform>The message takes no more than %n character</numerusform>
            <numerusform>The message takes no more than %n characters</numerusform>
        </translation>
    </message>
    <message>
        <source>Текст сообщения пуст, фокус на кнопке «Новое сообщение».</source>
        <translation>The message text is empty; the focus is on the “New message” button.</translation>
    </message>
    <message>
        <source>Текст сообщения удалён, фокус на кнопке «Новое сообщение». Shift+Tab и Ctrl+Z вернут его.</source>
        <translation>The message text has been deleted; the focus is on the “New message” button. Shift+Tab and Ctrl+Z bring it back.</translation>
    </message>
    <message>
        <source>Вы ввели, символов: %1</source>
        <translation>Characters typed: %1</translation>
    </message>
    <message>
        <source>В поле записан номер %1: семь цифр после 067</source>
        <translation>The box now holds %1: the seven digits after 067</translation>
    </message>
    <message>
        <source>В поле «%1» — больше семи знаков. Номер — это семь цифр после 067.</source>
        <translation>The box holds “%1”, more than seven characters. The number is the seven digits after 067.</translation>
    </message>
</context>
</TS>
