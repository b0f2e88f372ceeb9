#include <QCoreApplication>
#include <gtest/gtest.h>

#include "EscutaCasos.h"
#include "FalhasDeDisco.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    FalhasDeDisco::Instala();   // before any connection
    ::testing::UnitTest::GetInstance()->listeners().Append(new EscutaCasos);
    return RUN_ALL_TESTS();
}
