// The main of every test program. It refuses to run unless the process was given
// the private test environment: a test must never read or write a player's own
// game folder, open the real sound device or wait on a real message box.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool InsideBuildTree(const char* name) {
    const char* value = std::getenv(name);
    const std::string root = std::string(VC_TEST_BINARY_DIR) + "/";
    return value != nullptr && std::string(value).rfind(root, 0) == 0 &&
           std::string(value).find("/../") == std::string::npos;
}

bool Equals(const char* name, const char* expected) {
    const char* value = std::getenv(name);
    return value != nullptr && std::string(value) == expected;
}

}  // namespace

int main(int argc, char** argv) {
    const char* folders[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"};
    std::string wrong;
    for (const char* name : folders) {
        if (!InsideBuildTree(name)) wrong += std::string(" ") + name;
    }
    if (!Equals("ALSOFT_DRIVERS", "null")) wrong += " ALSOFT_DRIVERS";
    if (!Equals("VC_NO_MESSAGE_BOX", "1")) wrong += " VC_NO_MESSAGE_BOX";
    if (!Equals("SDL_VIDEODRIVER", "dummy")) wrong += " SDL_VIDEODRIVER";
    // Listing the tests touches nothing, so discovery may run anywhere.
    bool listing = false;
    for (int i = 1; i < argc; ++i) listing = listing || std::string(argv[i]) == "--gtest_list_tests";
    if (!wrong.empty() && !listing) {
        std::fprintf(stderr,
                     "Refusing to run: these variables are missing or point outside the build tree %s:%s\n"
                     "Run the tests through ctest, which gives them their private environment.\n",
                     VC_TEST_BINARY_DIR, wrong.c_str());
        return 2;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
