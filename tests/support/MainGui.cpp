#include <QApplication>
#include <gtest/gtest.h>

#include "EscutaCasos.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new EscutaCasos);
    return RUN_ALL_TESTS();
}
