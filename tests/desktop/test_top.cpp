#include "fakes.h"
#include "top.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct TopTest : testing::Test {
    vorlan::FakeCallLog log;
    vorlan::FakeStacking stacking{log};
    QWidget window;
    vorlan::Top *top = new vorlan::Top(stacking, &window);
    QWidget *picNormal = top->findChild<QWidget *>(u"picNormal"_s);
    QWidget *picTop = top->findChild<QWidget *>(u"picTop"_s);

    void SetUp() override {
        ASSERT_NE(picNormal, nullptr);
        ASSERT_NE(picTop, nullptr);
        top->UserControl_ReadProperties({});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    bool pinnedPicture() const { return !picTop->isHidden() && picNormal->isHidden(); }
    bool unpinnedPicture() const { return picTop->isHidden() && !picNormal->isHidden(); }
    qint64 handle() const { return static_cast<qint32>(window.winId()); }
};

TEST_F(TopTest, EachClickFlipsPictureAndStacking) {
    ASSERT_TRUE(unpinnedPicture());
    EXPECT_EQ(top->HandelObject(), handle());

    // Whichever picture is shown takes the click.
    QTest::mouseClick(picNormal, Qt::LeftButton);
    EXPECT_TRUE(pinnedPicture());
    QTest::mouseClick(picTop, Qt::LeftButton);
    EXPECT_TRUE(unpinnedPicture());
    QTest::mouseClick(picNormal, Qt::RightButton);
    EXPECT_TRUE(unpinnedPicture());

    const QString h = QString::number(handle());
    EXPECT_EQ(log.summary(), QStringList({u"stacking.setTopmost(%1, true)"_s.arg(h),
                                          u"stacking.setTopmost(%1, false)"_s.arg(h)}));
}

TEST_F(TopTest, SurfaceClickRaisesClickBeforeTheFlip) {
    int clicks = 0;
    bool pinnedAtClick = true;
    QObject::connect(top, &vorlan::Top::Click, [&] {
        ++clicks;
        pinnedAtClick = pinnedPicture();
    });
    QTest::mouseClick(top, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(pinnedAtClick);
    EXPECT_TRUE(pinnedPicture());
    EXPECT_EQ(log.calls(u"stacking."_s).size(), 1);
}

TEST_F(TopTest, HandleMinusOneTurnsThePinOff) {
    top->setHandelObject(-1);
    QTest::mouseClick(picNormal, Qt::LeftButton);
    QTest::mouseClick(top, Qt::LeftButton);
    EXPECT_TRUE(unpinnedPicture());
    EXPECT_TRUE(log.calls().isEmpty());
}

TEST_F(TopTest, ReadPropertiesTakesASaved32BitHandle) {
    const struct {
        QVariant saved;
        qint64 expected; // -2: the window's own handle
    } cases[] = {
        {QVariant(), -2},
        {QVariant(1234), 1234},
        {QVariant(-1), -1},
        {QVariant(u"4321"_s), 4321},
        {QVariant(u"pinned"_s), -2},
        {QVariant(qint64(1) << 40), -2},
    };
    for (const auto &c : cases) {
        QVariantMap saved;
        if (c.saved.isValid()) {
            saved.insert(u"HandelObject"_s, c.saved);
        }
        top->UserControl_ReadProperties(saved);
        EXPECT_EQ(top->HandelObject(), c.expected == -2 ? handle() : c.expected)
            << c.saved.toString().toStdString();
    }
    // Read through the property system too, as a host would.
    top->setProperty("HandelObject", 77);
    EXPECT_EQ(top->property("HandelObject").toInt(), 77);
}

TEST_F(TopTest, ResizingSnapsBackToThePicture) {
    // 240 x 210 twips at the screen's logical resolution: 16 x 14 at 96 DPI.
    const QSize picture(qRound(240 * top->logicalDpiX() / 1440.0),
                        qRound(210 * top->logicalDpiY() / 1440.0));
    EXPECT_EQ(top->size(), picture);
    EXPECT_EQ(picNormal->geometry(), QRect(QPoint(0, 0), picture));
    EXPECT_EQ(picTop->geometry(), QRect(QPoint(0, 0), picture));
    for (const QSize wanted : {QSize(100, 50), QSize(1, 1), QSize(16, 40)}) {
        top->resize(wanted);
        EXPECT_EQ(top->size(), picture);
    }
}

TEST_F(TopTest, PicturesAreDrawnAndDiffer) {
    const auto image = [](QWidget *box) {
        return static_cast<QLabel *>(box)->pixmap().toImage().convertToFormat(
            QImage::Format_ARGB32);
    };
    const QImage normal = image(picNormal);
    const QImage pinned = image(picTop);
    ASSERT_FALSE(normal.isNull());
    ASSERT_FALSE(pinned.isNull());
    EXPECT_NE(normal, pinned);
    for (const QImage &picture : {normal, pinned}) {
        int opaque = 0;
        int clear = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int alpha = qAlpha(picture.pixel(x, y));
                opaque += alpha == 255 ? 1 : 0;
                clear += alpha == 0 ? 1 : 0;
            }
        }
        EXPECT_GT(opaque, 10);
        EXPECT_GT(clear, 10);
    }
}

} // namespace
