// The real message box: a server's reply is shown as plain text without its closing line
// break, and however long it or the title is, the box fits the screen at any scale with
// its OK button on it, the whole reply in the details.

#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

class tst_MessageBox : public QObject
{
    Q_OBJECT

private slots:
    void fitsTheScreen_data()
    {
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short, with markup") << u"Ошибка: 554 <b>no</b> &amp;\r\n"_qs << false;
        QTest::newRow("64 KiB in one line") << u"Ошибка: 220 "_qs + QString(64 * 1024, u'x') << true;
        QTest::newRow("many words") << u"Ошибка: "_qs + u"слово "_qs.repeated(10000) << true;
        QTest::newRow("many lines") << u"Ошибка: "_qs + u"220-and more\r\n"_qs.repeated(5000) << true;
    }
    void fitsTheScreen()
    {
        QFETCH(QString, prompt);
        QFETCH(bool, cut);
        const QString title = u"Сообщение не отправлено, проверьте: правильность ввода номера, тип абонента, "
                              u"подключение к Internet..."_qs;
        const auto box = QtMessageBox::build(prompt, MsgBoxIcon::Information, title);
        QCOMPARE(box->windowTitle(), title);
        QCOMPARE(box->icon(), QMessageBox::Information);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->detailedText(), cut ? QString(prompt).remove(u'\r') : QString()); // shown with LF line ends
        QString shown = box->text();
        shown.remove(QChar(0x200B));
        if (cut) {
            QVERIFY(shown.endsWith(u"\n[…]"_qs));
            QVERIFY(prompt.startsWith(shown.chopped(4).trimmed()));
        } else {
            QCOMPARE(shown, prompt.trimmed());
        }
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(box->frameGeometry()), qPrintable(u"%1×%2"_qs.arg(box->width()).arg(box->height())));
        QAbstractButton *ok = box->button(QMessageBox::Ok);
        QVERIFY(screen.contains(QRect(ok->mapToGlobal(QPoint()), ok->size())));
        qInfo("%d px wide with its frame, on a screen of %d", box->frameGeometry().width(), screen.width());
    }

    // A screen reader knows the open box for an alert that holds the keyboard.
    void toldAsAModalAlert()
    {
        const auto box = QtMessageBox::build(u"Ошибка: 554 no"_qs, MsgBoxIcon::Information, u"Tallimo"_qs);
        QAccessible::Role role = QAccessible::NoRole;
        bool modal = false;
        QTimer::singleShot(0, box.get(), [&] {
            QAccessibleInterface *told = QAccessible::queryAccessibleInterface(box.get());
            role = told->role();
            modal = told->state().modal;
            box->accept();
        });
        box->exec();
        QCOMPARE(role, QAccessible::AlertMessage);
        QVERIFY(modal);
    }

    void fitsASmallScreenAtEveryScale_data()
    {
        QTest::addColumn<QByteArray>("scale");
        for (const char *scale : {"1", "1.5", "2"})
            QTest::newRow(scale) << QByteArray(scale);
    }
    void fitsASmallScreenAtEveryScale()
    {
        QFETCH(QByteArray, scale);
        QTemporaryFile screen;
        QVERIFY(screen.open());
        screen.write(R"({"screens": [{"name": "small", "width": 1024, "height": 768, "logicalDpi": 96}]})");
        screen.flush();
        qputenv("QT_SCALE_FACTOR", scale); // read at start-up: this process keeps its own
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screen.fileName().toLocal8Bit());
        QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {u"fitsTheScreen"_qs}), 0);
    }
};

QTEST_MAIN(tst_MessageBox)
#include "tst_messagebox.moc"
