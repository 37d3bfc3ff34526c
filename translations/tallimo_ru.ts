<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
<context>
    <name>frmSendMail</name>
    <message numerus="yes">
        <source>Вы ввели: %1 символов, осталось - %2</source>
        <translation>
            <numerusform>Вы ввели: %1 символ, осталось - %2</numerusform>
            <numerusform>Вы ввели: %1 символа, осталось - %2</numerusform>
            <numerusform>Вы ввели: %1 символов, осталось - %2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Больше %n знаков в номер не входит</source>
        <translation>
            <numerusform>Больше %n знака в номер не входит</numerusform>
            <numerusform>Больше %n знаков в номер не входит</numerusform>
            <numerusform>Больше %n знаков в номер не входит</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Больше %n символов в сообщение не входит</source>
        <translation>
            <numerusform>Больше %n символа в сообщение не входит</numerusform>
            <numerusform>Больше %n символов в сообщение не входит</numerusform>
            <numerusform>Больше %n символов в сообщение не входит</numerusform>
        </translation>
    </message>
</context>
</TS>
