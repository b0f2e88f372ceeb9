#include <QApplication>
#include <gtest/gtest.h>

#include "EscutaCasos.h"
#include "FalhasDeDisco.h"

int main(int argc, char* argv[])
{
    // Widget tests never need a screen; this also covers ctest's discovery run.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    FalhasDeDisco::Instala();   // before any connection
    ::testing::UnitTest::GetInstance()->listeners().Append(new EscutaCasos);
    return RUN_ALL_TESTS();
}
