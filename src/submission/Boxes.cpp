#include "submission/Boxes.h"

#include "encoding/Windows1251.h"
#include "submission/ReplyReader.h"

#include <QLocale>

namespace {

using Kind = Ending::Kind;

constexpr auto kRefusalTitle =
    u"Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet...";

// After a refusal: what the refused step tells of the cause.
QString refusalAdvice(SmtpStep step)
{
    switch (step) {
    case SmtpStep::Greeting:
    case SmtpStep::Helo:
    case SmtpStep::MailFrom:
        return u"Сервер отказал этому подключению или отправителю, а не номеру абонента. "
               u"Попробуйте позже или из другой сети."_qs;
    case SmtpStep::RcptTo:
        return u"Проверьте номер абонента и тип абонента."_qs;
    case SmtpStep::Data:
    case SmtpStep::Message:
    case SmtpStep::Quit:
        return u"Шлюз не принял текст сообщения. Измените текст или попробуйте позже."_qs;
    }
    Q_UNREACHABLE();
    return {};
}

bool isNetworkUnreachable(int socketError)
{
    // WSAENETDOWN, WSAENETUNREACH, WSAEHOSTUNREACH, and a route that forbids (WSAEACCES)
    // or has no address to send from (WSAEADDRNOTAVAIL)
    return socketError == 10050 || socketError == 10051 || socketError == 10065 || socketError == 10013
        || socketError == 10049;
}

// After a socket error or a time-out: what it and the step it came at tell.
QString failureAdvice(const Ending &ending)
{
    if (ending.step == SmtpStep::Message)
        return u"Сервер не подтвердил приём, но сообщение могло дойти до абонента. "
               u"Прежде чем посылать его ещё раз, убедитесь, что оно не пришло."_qs;
    if (ending.kind == Kind::ConnectionFailed && ending.ipv6Only)
        return u"Эта сеть работает только по IPv6, а почтовый сервер оператора доступен только по IPv4. "
               u"Отправьте сообщение из другой сети, где есть IPv4."_qs;
    if (ending.kind == Kind::ConnectionFailed && isNetworkUnreachable(ending.socketError))
        return u"Нет связи с сетью. Проверьте подключение к Internet и нажмите «Послать» ещё раз."_qs;
    if (ending.step == SmtpStep::Greeting)
        return u"Почтовый сервер оператора сейчас недоступен, попробуйте позже. Некоторые провайдеры "
               u"закрывают исходящие соединения на порт 25: тогда сообщение уйдёт только из другой сети."_qs;
    return u"Связь с сервером прервалась, сообщение не отправлено. Нажмите «Послать» ещё раз."_qs;
}

Box refusalBox(QString said, const QString &advice)
{
    QString prompt = u"Ошибка: "_qs + said;
    if (!advice.isEmpty()) {
        while (prompt.endsWith(u'\n') || prompt.endsWith(u'\r'))
            prompt.chop(1);
        prompt += u"\n\n"_qs + advice;
    }
    return {prompt, MsgBoxIcon::Information, QString::fromUtf16(kRefusalTitle)};
}

Box socketErrorBox(int number, const QString &description, const QString &advice)
{
    return {u"Winsock Error number %1\r\n%2\n\n%3"_qs.arg(number).arg(description, advice), MsgBoxIcon::Exclamation,
            u"Winsock Error"_qs};
}

Box noticeBox(const QString &prompt)
{
    return {prompt, MsgBoxIcon::Exclamation, QString::fromUtf16(kApplicationTitle)};
}

} // namespace

Box boxFor(const Ending &ending, std::chrono::milliseconds replyTimeout)
{
    switch (ending.kind) {
    case Kind::NoSubscriberType:
        return noticeBox(u"Выберите тип абонента: контрактный или Ace&base."_qs);
    case Kind::NumberNotSevenDigits:
        if (ending.number.isEmpty())
            return noticeBox(u"Введите номер телефона: семь цифр после 067, например 1234567, и нажмите "
                             u"«Послать» ещё раз."_qs);
        return noticeBox(u"В поле номера «%1», а номер телефона — это семь цифр после 067, например 1234567. "
                         u"Исправьте номер и нажмите «Послать» ещё раз."_qs.arg(ending.number));
    case Kind::EmptyText:
        return noticeBox(u"Сообщение пустое. Введите его текст и нажмите «Послать» ещё раз."_qs);
    case Kind::UnsendableCharacters: {
        QString prompt = u"Эти символы нельзя отправить в SMS: %1\nУберите их и нажмите «Послать» ещё раз."_qs.arg(
            ending.characters.join(u' '));
        for (const auto &[character, lookAlike] : ending.lookAlikes)
            prompt += u"\nВместо %1 можно написать %2."_qs.arg(character, lookAlike);
        return noticeBox(prompt);
    }
    case Kind::AttachmentUnreadable:
        return noticeBox(u"Не удалось вложить файл «%1»: %2."_qs.arg(ending.path, ending.cause));
    case Kind::Sent:
        return {u"Ваше сообщение отправлено!"_qs, MsgBoxIcon::Information, {}};
    case Kind::Refused:
        return refusalBox(fromWindows1251(ending.reply), refusalAdvice(ending.step));
    case Kind::Deferred:
        return refusalBox(fromWindows1251(ending.reply), u"Сервер пока отложил сообщение. Нажмите «Послать» ещё раз "
                                                         u"немного позже — скорее всего, оно пройдёт."_qs);
    case Kind::ReplyTooLong: // its start fills the box; the details hold the rest
        return refusalBox(u"ответ сервера длиннее %1 КБ. Его начало:\r\n"_qs.arg(kMaxReplyBytes / 1024)
                              + fromWindows1251(ending.reply),
                          {});
    case Kind::ConnectionFailed:
        return socketErrorBox(ending.socketError, ending.description, failureAdvice(ending));
    case Kind::TimedOut:
        return socketErrorBox(kTimedOutSocketError,
                              u"Сервер не ответил за %1 с"_qs.arg(QLocale(QLocale::Russian).toString(
                                  std::chrono::duration<double>(replyTimeout).count())),
                              failureAdvice(ending));
    }
    Q_UNREACHABLE();
    return {};
}

Box boxFor(NumberProblem problem)
{
    switch (problem) {
    case NumberProblem::OtherOperator:
        return noticeBox(u"Вставлен номер другого оператора. Через этот шлюз SMS доходят только до абонентов "
                         u"KyivStar с кодом 067. Номер в поле не изменён."_qs);
    case NumberProblem::NotASubscriberNumber:
        return noticeBox(u"Во вставленном тексте нет номера абонента. Номер — это семь цифр после 067, например "
                         u"067 123 45 67 или 123-45-67. Номер в поле не изменён."_qs);
    }
    Q_UNREACHABLE();
    return {};
}
