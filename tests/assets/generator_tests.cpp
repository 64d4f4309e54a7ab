// The committed pictures are exactly what fokarium-assetgen draws, so they cannot drift apart.
#include "asset_readers.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh folder under the temporary directory, removed again at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder()
        : path_(fs::temp_directory_path() /
                ("fokarium-assets-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name())) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

int runGenerator(const std::string& arguments) {
    const std::string command = "'" FOKARIUM_ASSETGEN "' " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::set<std::string> filesUnder(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            names.insert(fs::relative(entry.path(), folder).string());
        }
    }
    return names;
}

TEST(Assets, GeneratorReproducesTheCommittedFilesByteForByte) {
    const TemporaryFolder output;
    ASSERT_EQ(runGenerator("'" + output.path().string() + "'"), 0);
    const std::set<std::string> drawn = filesUnder(output.path());
    EXPECT_EQ(drawn, filesUnder(FOKARIUM_ASSET_DIR)) << "the same set of files";
    EXPECT_EQ(drawn.size(), 11u);
    for (const std::string& name : drawn) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(assettest::readBytes(output.path() / name) ==
                    assettest::readBytes(assettest::assetPath(name)))
            << "regenerate with: cmake --build <build-dir> --target fokarium-assets";
    }
}

TEST(Assets, GeneratorReportsMisuseAndUnwritableFolders) {
    EXPECT_EQ(runGenerator(""), 2) << "no folder given";
    const TemporaryFolder output;
    const fs::path blocker = output.path() / "a-file";
    { std::ofstream(blocker) << "not a folder"; }
    EXPECT_EQ(runGenerator("'" + (blocker / "out").string() + "'"), 1);
}

} // namespace
