#include "platform/Errors.h"
#include "platform/PictureControl.h"
#include "support/FileSizeLimit.h"
#include "support/PipeWithoutWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPictureControl : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString path(const QString& name) const { return dir.filePath(name); }

    QString writeBitmap(const QString& name, QSize size, QColor color) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        image.save(path(name), "BMP");
        return path(name);
    }

    QString writeIcon(const QString& name) const
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::blue);
        image.save(path(name), "ICO");
        return path(name);
    }

    template <typename Error> static QString errorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const Error& error) {
            return error.message();
        }
        return QStringLiteral("no error");
    }

private slots:
    void startsEmptyAt105By105()
    {
        platform::PictureControl control;
        QCOMPARE(control.size(), QSize(105, 105));
        QVERIFY(control.picture().isEmpty());
    }

    void canvasOnAnEmptyPictureIsAWhiteBitmapOfTheControlsSize()
    {
        platform::PictureControl control;
        control.resize(30, 20);
        QImage& canvas = control.canvas();
        QCOMPARE(canvas.size(), QSize(30, 20));
        QCOMPARE(canvas.pixelColor(29, 19), QColor(Qt::white));
        QCOMPARE(control.picture().kind(), platform::Picture::Kind::Bitmap);
    }

    void loadedBitmapKeepsItsOwnSizeAndSavesBack()
    {
        platform::PictureControl control;
        control.loadFromFile(writeBitmap("red.BMP", { 7, 5 }, Qt::red));
        QCOMPARE(control.canvas().size(), QSize(7, 5));
        control.canvas().setPixelColor(0, 0, Qt::black);

        control.saveToFile(path("copy.bmp"));
        QImage saved(path("copy.bmp"));
        QCOMPARE(saved.size(), QSize(7, 5));
        QCOMPARE(saved.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(saved.pixelColor(6, 4), QColor(Qt::red));
    }

    // The name decides: a bitmap saved as ".png" is a PNG file, under any other name a BMP file.
    void bitmapSavesInTheFormatItsNameAsks_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("signature");
        QTest::newRow("png") << "drawing.png" << QByteArray("\x89PNG");
        QTest::newRow("PNG in capitals") << "DRAWING.PNG" << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "drawing.bmp" << QByteArray("BM");
        QTest::newRow("no extension") << "drawing" << QByteArray("BM");
    }
    void bitmapSavesInTheFormatItsNameAsks()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, signature);
        platform::PictureControl control;
        control.resize(9, 6);
        control.canvas().setPixelColor(3, 2, Qt::black);
        control.saveToFile(path(fileName));
        QFile file(path(fileName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith(signature));
        file.close();
        if (!fileName.contains(u'.'))
            return; // loads only by a known extension

        platform::PictureControl loaded;
        loaded.loadFromFile(path(fileName));
        QCOMPARE(loaded.picture().kind(), platform::Picture::Kind::Bitmap);
        QCOMPARE(loaded.canvas().size(), QSize(9, 6));
        QCOMPARE(loaded.canvas().pixelColor(3, 2), QColor(Qt::black));
        QCOMPARE(loaded.canvas().pixelColor(4, 2), QColor(Qt::white));
    }

    void transparentPngLiesOnWhite()
    {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        image.setPixelColor(1, 1, Qt::red);
        QVERIFY(image.save(path("sprite.png"), "PNG"));
        platform::PictureControl control;
        control.loadFromFile(path("sprite.png"));
        QCOMPARE(control.canvas().pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(control.canvas().pixelColor(1, 1), QColor(Qt::red));
    }

    void iconLoadsButGivesNoCanvasAndSavesAsItWasRead()
    {
        platform::PictureControl control;
        const QString icon = writeIcon("turtle.ico");
        control.loadFromFile(icon);
        QCOMPARE(control.picture().kind(), platform::Picture::Kind::Icon);
        QCOMPARE(errorOf<platform::InvalidGraphicOperation>([&] { control.canvas(); }),
            QStringLiteral("Can only modify an image if it contains a bitmap"));

        control.saveToFile(path("back.ico"));
        QFile original(icon), copy(path("back.ico"));
        QVERIFY(original.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), original.readAll());
    }

    void loadErrors_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown extension")
            << "notes.txt" << QByteArray("text") << "Unknown picture file extension (.txt)";
        QTest::newRow("no extension") << "picture" << QByteArray("x") << "Unknown picture file extension (.)";
        QTest::newRow("broken bitmap") << "broken.bmp" << QByteArray("BM not really") << "Bitmap image is not valid";
        QTest::newRow("broken PNG") << "broken.png" << QByteArray("\x89PNG not really") << "PNG image is not valid";
    }
    void loadErrors()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QFile file(path(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();

        platform::PictureControl control;
        control.loadFromFile(writeBitmap("before.bmp", { 3, 3 }, Qt::green));
        QCOMPARE(errorOf<platform::InvalidGraphic>([&] { control.loadFromFile(path(fileName)); }), message);
        QCOMPARE(control.picture().image().pixelColor(1, 1), QColor(Qt::green)); // the old picture stays
    }

    void missingFileNamesTheFile()
    {
        platform::PictureControl control;
        const QString missing = path("missing.bmp");
        QVERIFY(errorOf<platform::FileOpenError>([&] { control.loadFromFile(missing); }).contains(missing));
    }

    // Neither a pipe without a writer nor an endless device is read: they would block or fill the
    // memory.
    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("pipe") << true;
        QTest::newRow("link to /dev/zero") << false;
    }
    void onlyRegularFilesAreRead()
    {
        QFETCH(bool, pipe);
        const QString fileName = path(pipe ? "pipe.bmp" : "zero.bmp");
        const testing::PipeWithoutWriter writerless(pipe ? fileName : path("unused"));
        if (!pipe)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), fileName));
        platform::PictureControl control;
        control.loadFromFile(writeBitmap("before.bmp", { 3, 3 }, Qt::green));
        QCOMPARE(errorOf<platform::FileOpenError>([&] { control.loadFromFile(fileName); }),
            QStringLiteral("Cannot open file \"%1\". It is not a regular file").arg(fileName));
        QCOMPARE(control.picture().image().pixelColor(1, 1), QColor(Qt::green));
        QVERIFY(!writerless.readerWasStuck());
    }

    void aFailedSaveKeepsTheOldFile()
    {
        const QString target = writeBitmap("old.bmp", { 4, 4 }, Qt::green);
        platform::PictureControl control;
        control.loadFromFile(writeBitmap("large.bmp", { 400, 400 }, Qt::red));
        {
            testing::FileSizeLimit limit(4096); // as if the disc filled up half-way
            QVERIFY(errorOf<platform::FileCreateError>([&] { control.saveToFile(target); }).contains(target));
        }
        QCOMPARE(QImage(target).size(), QSize(4, 4));
    }

    void emptyPictureWritesNoFile()
    {
        platform::PictureControl control;
        control.saveToFile(path("nothing.bmp"));
        QVERIFY(!QFile::exists(path("nothing.bmp")));
    }
};

QTEST_MAIN(TestPictureControl)
#include "tst_picture_control.moc"
