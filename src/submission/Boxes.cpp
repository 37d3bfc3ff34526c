#include "submission/Boxes.h"

#include "encoding/Windows1251.h"
#include "submission/ReplyReader.h"
#include "submission/SocketErrors.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

using Kind = Ending::Kind;
using MUUEncode::EncodeFailure;

// Every word of a box goes through the translation loaded for the user's language;
// with none, the Russian source speaks.
class Words
{
    Q_DECLARE_TR_FUNCTIONS(Boxes)
};

// After a refusal: what the refused step tells of the cause.
QString refusalAdvice(SmtpStep step)
{
    switch (step) {
    case SmtpStep::Greeting:
    case SmtpStep::Helo:
    case SmtpStep::MailFrom:
        return Words::tr("Сервер отказал этому подключению или отправителю, а не номеру абонента. "
                         "Попробуйте позже или из другой сети.");
    case SmtpStep::RcptTo:
        return Words::tr("Проверьте номер и тип абонента.");
    case SmtpStep::Data:
    case SmtpStep::Message:
    case SmtpStep::Quit:
        return Words::tr("Шлюз не принял текст сообщения. Измените текст или попробуйте позже.");
    }
    Q_UNREACHABLE();
    return {};
}

// After a socket error or a time-out: what it and the step it came at tell.
QString failureAdvice(const Ending &ending)
{
    if (ending.step == SmtpStep::Message)
        return Words::tr("Сервер не подтвердил приём, но сообщение могло дойти до абонента. "
                         "Прежде чем посылать его ещё раз, убедитесь, что оно не пришло.");
    if (ending.kind == Kind::ConnectionFailed && ending.ipv6Only)
        return Words::tr("Эта сеть работает только по IPv6, а почтовый сервер оператора доступен только по IPv4. "
                         "Отправьте сообщение из другой сети, где есть IPv4.");
    if (ending.kind == Kind::ConnectionFailed && meansNoNetwork(ending.socketError))
        return Words::tr("Нет связи с сетью. Проверьте подключение к Internet и нажмите «Послать» ещё раз.");
    if (ending.step == SmtpStep::Greeting)
        return Words::tr("Почтовый сервер оператора сейчас недоступен, попробуйте позже. Некоторые провайдеры "
                         "закрывают исходящие соединения на порт 25: тогда сообщение уйдёт только из другой сети.");
    return Words::tr("Связь с сервером прервалась, сообщение не отправлено. Нажмите «Послать» ещё раз.");
}

QString attachmentProblem(const Ending &ending)
{
    switch (ending.attachmentFailure) {
    case EncodeFailure::Missing:
        return Words::tr("Не удалось вложить файл «%1»: такого файла нет.").arg(ending.path);
    case EncodeFailure::NoPermission:
        return Words::tr("Не удалось вложить файл «%1»: нет прав на его чтение.").arg(ending.path);
    case EncodeFailure::NotAFile:
        return Words::tr("Не удалось вложить файл «%1»: это не обычный файл.").arg(ending.path);
    case EncodeFailure::Unreadable:
        return Words::tr("Не удалось вложить файл «%1»: %2.").arg(ending.path, ending.systemWords);
    case EncodeFailure::ShrankWhileRead:
        return Words::tr("Не удалось вложить файл «%1»: файл стал короче, пока его читали.").arg(ending.path);
    case EncodeFailure::NameOutsideWindows1251:
        return Words::tr("Не удалось вложить файл «%1»: в его имени есть символы, которых нет в Windows-1251.")
            .arg(ending.path);
    }
    Q_UNREACHABLE();
    return {};
}

// What was refused, then, a paragraph below, the advice.
Box refusalBox(QString prompt, const QString &advice)
{
    if (!advice.isEmpty()) {
        while (prompt.endsWith(u'\n') || prompt.endsWith(u'\r'))
            prompt.chop(1);
        prompt += u"\n\n"_qs + advice;
    }
    return {prompt, MsgBoxIcon::Information,
            Words::tr("Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, подключение к Internet...")};
}

QString serverSaid(const Ending &ending)
{
    return Words::tr("Ошибка: %1").arg(fromWindows1251(ending.reply));
}

Box socketErrorBox(int number, const QString &description, const QString &advice)
{
    // The number's line, the description's line, and the advice a paragraph below.
    return {Words::tr("Winsock Error number %1").arg(number) + u"\r\n"_qs + description + u"\n\n"_qs + advice,
            MsgBoxIcon::Exclamation, Words::tr("Winsock Error")};
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
        return noticeBox(Words::tr("Выберите тип абонента: контрактный или Ace&base."));
    case Kind::NumberNotSevenDigits:
        if (ending.number.isEmpty())
            return noticeBox(Words::tr("Введите номер телефона: семь цифр после 067, например 1234567, и нажмите "
                                       "«Послать» ещё раз."));
        return noticeBox(Words::tr("Номер «%1» не подходит: нужны семь цифр после 067, например 1234567. "
                                   "Исправьте номер и нажмите «Послать» ещё раз.")
                             .arg(ending.number));
    case Kind::EmptyText:
        return noticeBox(Words::tr("Сообщение пустое. Введите его текст и нажмите «Послать» ещё раз."));
    case Kind::UnsendableCharacters: {
        QString prompt = Words::tr("Эти символы нельзя отправить в SMS: %1\nУберите их и нажмите «Послать» ещё раз.")
                             .arg(ending.characters.join(u' '));
        for (const auto &[character, lookAlike] : ending.lookAlikes)
            prompt += u'\n' + Words::tr("Вместо %1 можно написать %2.").arg(character, lookAlike);
        return noticeBox(prompt);
    }
    case Kind::AttachmentUnreadable:
        return noticeBox(attachmentProblem(ending));
    case Kind::Sent:
        return {Words::tr("Ваше сообщение отправлено!"), MsgBoxIcon::Information, {}};
    case Kind::Refused:
        return refusalBox(serverSaid(ending), refusalAdvice(ending.step));
    case Kind::Deferred:
        return refusalBox(serverSaid(ending), Words::tr("Сервер пока отложил сообщение. Нажмите «Послать» ещё раз "
                                                        "немного позже — скорее всего, оно пройдёт."));
    case Kind::ReplyTooLong: // its start fills the box; the details hold the rest
        return refusalBox(Words::tr("Ошибка: ответ сервера длиннее %1 КБ. Его начало:").arg(kMaxReplyBytes / 1024)
                              + u"\r\n"_qs + fromWindows1251(ending.reply),
                          {});
    case Kind::ConnectionFailed:
        return socketErrorBox(ending.socketError, ending.description, failureAdvice(ending));
    case Kind::TimedOut: {
        const double seconds = std::chrono::duration<double>(replyTimeout).count();
        return socketErrorBox(socketErrorNumber(SocketError::TimedOut),
                              Words::tr("Сервер не ответил за %1 с").arg(QLocale().toString(seconds)),
                              failureAdvice(ending));
    }
    }
    Q_UNREACHABLE();
    return {};
}

Box boxFor(NumberProblem problem)
{
    switch (problem) {
    case NumberProblem::OtherOperator:
        return noticeBox(Words::tr("Это номер другого оператора. Через этот шлюз SMS доходят только до абонентов "
                                   "KyivStar с кодом 067. Номер в поле не изменён."));
    case NumberProblem::NotASubscriberNumber:
        return noticeBox(Words::tr("В этом тексте нет номера абонента. Номер — это семь цифр после 067, например "
                                   "067 123 45 67 или 123-45-67. Номер в поле не изменён."));
    }
    Q_UNREACHABLE();
    return {};
}
