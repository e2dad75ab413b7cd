#include "services.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// xclip owning the CLIPBOARD selection with data of the given type until
// someone else takes it.
class Xclip {
public:
    Xclip(const QByteArray &data, const QString &type) {
        process_.start(u"xclip"_s, {u"-selection"_s, u"clipboard"_s, u"-quiet"_s, u"-t"_s, type});
        process_.write(data);
        process_.closeWriteChannel();
    }
    ~Xclip() {
        // Taking the selection back ends xclip.
        QGuiApplication::clipboard()->setText(u"test over"_s);
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    bool started() { return process_.waitForStarted(5000); }

private:
    QProcess process_;
};

TEST(X11Clipboard, ReadsTextOwnedByAnotherProgram) {
    const std::unique_ptr<vorlan::DesktopServices> services = vorlan::createPlatformServices();
    const QString text = u"  \u06A9\u062A\u0627\u0628 book\r\n"_s;
    {
        Xclip owner(text.toUtf8(), u"UTF8_STRING"_s);
        ASSERT_TRUE(owner.started());
        EXPECT_TRUE(QTest::qWaitFor([&] { return services->clipboard().text() == text; }, 10000))
            << services->clipboard().text().toStdString();
    }
    {
        // Not plain text: read as nothing.
        Xclip owner(QByteArray("\x89PNG\r\n\x1a\n", 8), u"image/png"_s);
        ASSERT_TRUE(owner.started());
        EXPECT_TRUE(QTest::qWaitFor([&] { return services->clipboard().text().isEmpty(); }, 10000));
        // Still xclip's, and still no text after a while.
        QTest::qWait(300);
        EXPECT_EQ(services->clipboard().text(), u""_s);
    }
}

} // namespace
