#pragma once
// A fresh folder under /tmp for a test's files, removed with everything in it.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

class TempFolderTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/deckfall-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
};
