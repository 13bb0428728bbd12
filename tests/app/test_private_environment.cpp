// The tests run in a private environment: the game's shared data folder, the
// instance lock and the temporary folder all lie inside the build tree, sound goes
// to OpenAL's null output and no message box can wait for a click.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/os.h"

namespace {

bool InsideBuildTree(const std::string& path) {
    const auto root = std::filesystem::weakly_canonical(VC_TEST_BINARY_DIR).string() + "/";
    return std::filesystem::weakly_canonical(path).string().rfind(root, 0) == 0;
}

TEST(PrivateEnvironment, GameFoldersLieInsideTheBuildTree) {
    const std::string shared = plat::CommonAppDataFolder();
    ASSERT_FALSE(shared.empty());
    EXPECT_TRUE(InsideBuildTree(shared)) << shared;
    EXPECT_TRUE(InsideBuildTree(plat::InstanceLockPath("vellichorns"))) << plat::InstanceLockPath("vellichorns");
    EXPECT_TRUE(InsideBuildTree(std::filesystem::temp_directory_path().string()));
    EXPECT_TRUE(InsideBuildTree(testing::TempDir()));
    ASSERT_NE(std::getenv("HOME"), nullptr);
    EXPECT_TRUE(InsideBuildTree(std::getenv("HOME")));
}

TEST(PrivateEnvironment, NoSoundCardAndNoMessageBox) {
    ASSERT_NE(std::getenv("ALSOFT_DRIVERS"), nullptr);
    EXPECT_STREQ(std::getenv("ALSOFT_DRIVERS"), "null");
    ASSERT_NE(std::getenv("VC_NO_MESSAGE_BOX"), nullptr);
    EXPECT_STREQ(std::getenv("VC_NO_MESSAGE_BOX"), "1");
    ASSERT_NE(std::getenv("SDL_VIDEODRIVER"), nullptr);
    EXPECT_STREQ(std::getenv("SDL_VIDEODRIVER"), "dummy");
}

}  // namespace
