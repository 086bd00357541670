#include "base/core/key_names.h"
#include "base/ui/name_picture_window.h"
#include "base/ui/remote_picture.h"
#include "ui/ui_shell.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace ravlin;

namespace {

const QString kDemo = QStringLiteral(RAVLIN_SOURCE_DIR "/data/Tarnisk/OpisPl/");

QByteArray demoPicture() {
    QFile f(kDemo + QStringLiteral("A01.jpg"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray encoded(const QSize& size, const char* format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// The workbench and its windows with the demo remote A01 (its picture replaced by `picture`
// unless that is the demo's own) in the application directory.
struct Shell : test::UiShell {
    explicit Shell(const QByteArray& picture = demoPicture()) : UiShell({QStringLiteral("; no remotes")}) {
        const QString folder = dir.path() + QStringLiteral("/Tarnisk/OpisPl/");
        QFile::copy(kDemo + QStringLiteral("A01.txt"), folder + QStringLiteral("A01.txt"));
        if (!picture.isNull()) {
            QFile f(folder + QStringLiteral("A01.jpg"));
            f.open(QIODevice::WriteOnly);
            f.write(picture);
        }
    }
    QWidget* pult() { return windows->byName(QStringLiteral("TForm2")); }
    template <typename T> T* in(QWidget* w, const char* name) {
        return w->findChild<T*>(QString::fromLatin1(name));
    }
    QString mainName() { return find<QComboBox>("ComboBoxKey")->currentText(); }
    // The mouse over the middle of the zone named `name`, in pixels of the picture control.
    QPoint over(const QString& name) {
        for (const RemoteZone& z : parts->namePictureAid.zones())
            if (z.name == name) {
                auto* view = in<QLabel>(pult(), "Image1");
                const int x = ((z.x1 + z.x2) / 2 * view->width() + 99) / 100;
                const int y = ((z.y1 + z.y2) / 2 * view->height() + 699) / 700;
                return {x, y};
            }
        return {};
    }
    void mouse(QEvent::Type type, const QPoint& at) {
        QWidget* view = in<QLabel>(pult(), "Image1");
        QMouseEvent e(type, at, view->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    }
};

} // namespace

class TestNamingWindows : public QObject {
    Q_OBJECT

private slots:
    void pictureDecoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        const QByteArray demo = demoPicture();
        QTest::newRow("demo remote") << demo << QSize(200, 600);
        QTest::newRow("truncated") << demo.left(demo.size() / 2) << QSize(0, 0);
        QTest::newRow("garbage after the start marker")
            << QByteArray("\xFF\xD8\xFF\xE0garbage\xFF\xD9", 13) << QSize(0, 0);
        QTest::newRow("empty") << QByteArray() << QSize(0, 0);
        QTest::newRow("PNG") << encoded({20, 20}, "PNG") << QSize(0, 0);
        QTest::newRow("too many pixels") << encoded({2100, 2000}, "JPEG") << QSize(0, 0);
        QTest::newRow("within the cap") << encoded({1000, 1000}, "JPEG") << QSize(1000, 1000);
    }
    void pictureDecoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QVERIFY(!demoPicture().isEmpty());
        QCOMPARE(RemotePicture::decode(bytes).size(), size);
    }

    // The shipped remotes: each picture reads, each zone lies on it and names a standard button.
    void demoRemotesAreWhole() {
        for (int n = 1; n <= 7; ++n) {
            const QString code = QStringLiteral("A0%1").arg(n);
            QFile picture(kDemo + code + QStringLiteral(".jpg"));
            QVERIFY(picture.open(QIODevice::ReadOnly));
            QVERIFY(picture.size() < 64 * 1024);
            QCOMPARE(RemotePicture::decode(picture.readAll()).size(), QSize(200, 600));
            const auto lines = TextLines::read(kDemo + code + QStringLiteral(".txt"));
            QVERIFY(lines);
            const RemoteDescription::ReadResult r = RemoteDescription::read(*lines);
            QCOMPARE(int(r.zones.size()), r.announced);
            QVERIFY(r.zones.size() >= 15);
            for (const RemoteZone& z : r.zones) {
                QVERIFY2(KeyNamTab::indexOf(z.name) > 0, qPrintable(code + u' ' + z.name));
                QVERIFY(0 <= z.x1 && z.x1 < z.x2 && z.x2 < 100 && 0 <= z.y1 && z.y1 < z.y2 && z.y2 < 700);
            }
        }
    }

    // Start-up loads A01; the tool bar opens the window; the pointer names buttons; a double
    // click names the burst on screen and stores it.
    void demoRemoteNamesItsButtons() {
        Shell s;
        s.parts->startup.begin();
        s.scheduler.advance(200);
        QVERIFY(s.dialogs.events.isEmpty());
        QVERIFY(s.parts->namePictureAid.pictureLoaded());
        QVERIFY(s.parts->namePictureAid.zones().size() > 20);
        s.main().actions().pult->trigger();
        QVERIFY(s.pult()->isVisible());
        QCOMPARE(s.in<QLabel>(s.pult(), "Image1")->size(), QSize(200, 600));
        QCOMPARE(s.in<QComboBox>(s.pult(), "ComboBox1")->currentText(), QStringLiteral("A1"));
        for (const RemoteZone& z : s.parts->namePictureAid.zones()) {
            s.mouse(QEvent::MouseMove, s.over(z.name));
            QCOMPARE(s.in<QLabel>(s.pult(), "Label3")->text(), QStringLiteral("Key=") + z.name);
        }
        s.mouse(QEvent::MouseMove, {1, 1});
        QCOMPARE(s.in<QLabel>(s.pult(), "Label1")->text(), QStringLiteral("X,Y=(0 , 1)"));
        QCOMPARE(s.in<QLabel>(s.pult(), "Label3")->text(), QStringLiteral("Key=N/A"));

        s.parts->working.hash = QStringLiteral("00FF");
        s.parts->baseEditor.view().offerAdd();
        s.mouse(QEvent::MouseMove, s.over(QStringLiteral("Mute")));
        s.mouse(QEvent::MouseButtonDblClick, s.over(QStringLiteral("Mute")));
        QCOMPARE(s.parts->base.count(), 1);
        QCOMPARE(s.parts->base.record(1).buttonName, QStringLiteral("Mute"));
        QCOMPARE(s.mainName(), QStringLiteral("Mute"));
    }

    // A picture that cannot be shown is reported with a box, hidden window or not; the zones work
    // on the empty picture control.
    void unreadablePicture_data() {
        QTest::addColumn<QByteArray>("picture");
        QTest::addColumn<bool>("visible");
        QTest::newRow("missing, start-up") << QByteArray() << false;
        QTest::newRow("missing, window open") << QByteArray() << true;
        QTest::newRow("corrupt, window open") << QByteArray("not a picture") << true;
        QTest::newRow("truncated, start-up") << demoPicture().left(3000) << false;
    }
    void unreadablePicture() {
        QFETCH(QByteArray, picture);
        QFETCH(bool, visible);
        Shell s(picture);
        if (visible) {
            s.main().actions().pult->trigger();
            s.in<QComboBox>(s.pult(), "ComboBox1")->setEditText(QStringLiteral("A1"));
            s.in<QPushButton>(s.pult(), "ButtonO")->click();
        } else {
            s.parts->startup.begin();
            s.scheduler.advance(200);
        }
        QCOMPARE(s.dialogs.events, (QStringList{QStringLiteral("beep"),
                                                QStringLiteral("info: Немогу подгрузить вид пульта!!!")}));
        // The memo names the folder the picture was looked for in.
        const QStringList log = s.parts->resultLog.lines();
        QCOMPARE(log.size(), 2);
        QCOMPARE(log.first(), QStringLiteral("Немогу подгрузить вид пульта!!!"));
        QVERIFY(log.last().startsWith(QStringLiteral("Искали в папке: ")));
        QVERIFY(log.last().endsWith(QStringLiteral("/Tarnisk/OpisPl")));
        s.main().actions().pult->trigger();
        QCOMPARE(s.in<QLabel>(s.pult(), "Image1")->size(), QSize(200, 600));
        s.mouse(QEvent::MouseMove, s.over(QStringLiteral("PW")));
        QCOMPARE(s.in<QLabel>(s.pult(), "Label3")->text(), QStringLiteral("Key=PW"));
        s.mouse(QEvent::MouseButtonRelease, s.over(QStringLiteral("PW")));
        QCOMPARE(s.mainName(), QStringLiteral("PW"));
    }

    void nameChoiceWindowFlow() {
        Shell s;
        s.main().actions().nameChoice->trigger();
        QWidget* w = s.windows->byName(QStringLiteral("TForm8"));
        QVERIFY(w->isVisible());
        QCOMPARE(s.in<QLabel>(w, "Panel1")->text(), QStringLiteral("Уникален"));
        auto* number = s.in<QLineEdit>(w, "Edit1");
        number->clear();
        QTest::keyClicks(number, QStringLiteral("40"));
        QCOMPARE(number->text(), QStringLiteral("3D"));
        QCOMPARE(s.mainName(), QStringLiteral("A/B"));
        s.in<QRadioButton>(w, "RadioButton2")->click();
        QCOMPARE(s.in<QComboBox>(w, "ComboBox1")->count(), 18);
        QCOMPARE(s.in<QComboBox>(w, "ComboBox2")->itemText(1), QStringLiteral("Zoom"));
        s.in<QPushButton>(w, "Button2")->click();
        QCOMPARE(s.in<QLineEdit>(w, "Edit5")->text(), QStringLiteral("01"));
        QCOMPARE(s.in<QLabel>(w, "Label2")->text(), QStringLiteral("Под пунктом 01 находится - PW"));
        QCOMPARE(s.mainName(), QStringLiteral("PW"));
        auto* ascending = s.in<QComboBox>(w, "ComboBox1");
        ascending->setEditText(QStringLiteral("mute"));
        QTest::keyClick(ascending->lineEdit(), Qt::Key_Return);
        QCOMPARE(ascending->currentText(), QStringLiteral("Mute"));
        QCOMPARE(s.mainName(), QStringLiteral("Mute"));
        // "Изменить текущую" stores the burst on screen under the chosen name.
        s.parts->working.hash = QStringLiteral("00FF");
        s.parts->baseEditor.view().offerAdd();
        s.in<QPushButton>(w, "ButtonChange")->click();
        QCOMPARE(s.parts->base.count(), 1);
        QCOMPARE(s.parts->base.record(1).buttonName, QStringLiteral("Mute"));
        QCOMPARE(s.in<QLabel>(w, "Panel1")->text(), QStringLiteral("Уникален"));
        s.in<QRadioButton>(w, "RadioButton1")->click();
        s.in<QComboBox>(w, "ComboBox2")->textActivated(QStringLiteral("Mute"));
        QCOMPARE(s.in<QLabel>(w, "Panel1")->text(), QStringLiteral("Повторяется в 1"));
    }
};

QTEST_MAIN(TestNamingWindows)
#include "test_naming_windows.moc"
