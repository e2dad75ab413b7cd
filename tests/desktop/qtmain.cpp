// GoogleTest inside a QApplication. The X11 build insists on a real X server:
// without one its tests fail instead of passing over nothing.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
#ifdef VORLAN_TEST_NEEDS_X11
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::fprintf(stderr, "These tests need an X server: DISPLAY is not set "
                             "(run them through scripts/with-x11.sh).\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    QApplication app(argc, argv);
#ifdef VORLAN_TEST_NEEDS_X11
    if (QGuiApplication::platformName() != u"xcb") {
        std::fprintf(stderr, "These tests need the xcb platform, not %s.\n",
                     qPrintable(QGuiApplication::platformName()));
        return 1;
    }
#endif
    return RUN_ALL_TESTS();
}
