// Runs GoogleTest inside a QApplication on Qt's offscreen platform, with the program's default
// GUI font, as the program itself sets it up.

#include "ui/controls/fonts.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ui::allowSyntheticBoldAtEverySize();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ui::installDefaultGuiFont();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
