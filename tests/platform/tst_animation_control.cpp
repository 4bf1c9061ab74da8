#include "platform/AnimationControl.h"
#include "platform/StandardAnimations.h"

#include <QTest>

class TestAnimationControl : public QObject {
    Q_OBJECT
private slots:
    void copyAnimationIsAFileInFlight()
    {
        const QList<QImage> frames = platform::copyFileAnimationFrames();
        QCOMPARE(frames.size(), 26);
        for (const QImage& frame : frames)
            QCOMPARE(frame.size(), QSize(272, 60));
        for (int i = 1; i < frames.size(); ++i)
            QVERIFY2(frames.at(i) != frames.at(i - 1), qPrintable(QString::number(i)));
        QCOMPARE(frames.first().pixelColor(136, 2).alpha(), 0); // the window shows through
    }

    void playsOnlyWhileActiveAndVisible()
    {
        QWidget window;
        auto* animation = new platform::AnimationControl(&window);
        animation->setFrames(platform::copyFileAnimationFrames(), 70);
        QCOMPARE(animation->size(), QSize(272, 60));
        animation->setActive(true);
        QVERIFY(!animation->playing());
        window.show();
        QVERIFY(animation->playing());
        window.hide();
        QVERIFY(!animation->playing());
        window.show();
        animation->setActive(false);
        QVERIFY(!animation->playing());
        animation->setActive(true);
        QTRY_VERIFY(animation->currentFrame() > 1);
    }

    // Frames made on demand are made once, when the animation is first shown, and not before.
    void framesOnDemandAreMadeWhenFirstShown()
    {
        QWidget window;
        auto* animation = new platform::AnimationControl(&window);
        int made = 0;
        animation->setFrames(
            [&made] {
                ++made;
                return platform::copyFileAnimationFrames();
            },
            platform::copyFileFrameSize, 70);
        animation->setActive(true);
        QCOMPARE(animation->size(), QSize(272, 60));
        QCOMPARE(made, 0);
        window.show();
        QVERIFY(animation->playing());
        QCOMPARE(animation->frameCount(), 26);
        window.hide();
        window.show();
        QCOMPARE(made, 1);
    }

    void loopsBackToTheFirstFrame()
    {
        platform::AnimationControl animation;
        animation.setFrames(platform::copyFileAnimationFrames(), 70);
        QCOMPARE(animation.currentFrame(), 1);
        for (int i = 1; i < 26; ++i)
            animation.showNextFrame();
        QCOMPARE(animation.currentFrame(), 26);
        animation.showNextFrame();
        QCOMPARE(animation.currentFrame(), 1);
    }
};

QTEST_MAIN(TestAnimationControl)
#include "tst_animation_control.moc"
