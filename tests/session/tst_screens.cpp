#include "fixture/program.h"
#include "fixture/uiscript.h"
#include "session/frmmenpri.h"

#include <QDir>
#include <QSet>
#include <QTest>

// Saves a picture of every window into the build folder (screens/), so that anyone can
// look at them without a display.
class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void aPictureOfEveryWindow() {
        if (testEngine() != Engine::SQLite)
            QSKIP("the pictures are taken on the SQLite run");
        TestProgram program;
        const QString folder = QDir::current().absoluteFilePath(QStringLiteral("screens"));
        QVERIFY(QDir().mkpath(folder));
        for (Form* w : program.app().windows()) {
            w->resize(w->sizeHint().expandedTo(QSize(800, 500)));
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const QImage picture = w->grab().toImage();
            QVERIFY(!picture.isNull());
            // A window that draws nothing would be a single colour.
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 7)
                for (int x = 0; x < picture.width(); x += 7)
                    colours.insert(picture.pixel(x, y));
            QVERIFY2(colours.size() >= 2, qPrintable(w->objectName()));
            QVERIFY(
                picture.save(folder + QLatin1Char('/') + w->objectName() + QStringLiteral(".png")));
            w->hide();
        }
        QVERIFY(QFile::exists(folder + QStringLiteral("/FRMmenu.png")));
        QVERIFY(QFile::exists(folder + QStringLiteral("/FRMmenpri.png")));
    }
};

QObject* screenTests() {
    return new TestScreens;
}

#include "tst_screens.moc"
