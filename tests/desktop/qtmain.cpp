// GoogleTest inside a QApplication. The X11 build insists on the xcb platform,
// so that without an X server its tests fail instead of passing over nothing.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
#ifdef VORLAN_TEST_NEEDS_X11
    qputenv("QT_QPA_PLATFORM", "xcb");
#endif
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
