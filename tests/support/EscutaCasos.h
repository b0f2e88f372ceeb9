#pragma once
#include <gtest/gtest.h>

#include "ProgramaDeTeste.h"

// Gives each test case its own program folder.
class EscutaCasos : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { ProgramaDeTeste::Inicia(); }
    void OnTestEnd(const ::testing::TestInfo&) override { ProgramaDeTeste::Termina(); }
};
