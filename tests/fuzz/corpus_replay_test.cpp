// Feeds every file of the fuzzing corpus, and every truncation of it, to its decoder with the
// fuzzers' checks, in the ordinary build.
#include "decoder_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <vector>

namespace pictures::fuzzing {
namespace {

struct Corpus {
    const char* name; // the folder under corpus/
    bool (*check)(std::span<const std::uint8_t>);
};

void PrintTo(const Corpus& corpus, std::ostream* out) {
    *out << corpus.name;
}

class CorpusReplay : public ::testing::TestWithParam<Corpus> {};

std::vector<std::uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The seeds are valid pictures; their truncations must not break a check.
TEST_P(CorpusReplay, EverySeedDecodesAndNoTruncationBreaksTheChecks) {
    const std::filesystem::path folder =
        std::filesystem::path(FOKARIUM_FUZZ_CORPUS_DIR) / GetParam().name;
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const auto bytes = readFile(entry.path());
        EXPECT_TRUE(GetParam().check(bytes)) << entry.path();
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            GetParam().check(std::span(bytes).first(length));
        }
        ++seeds;
    }
    EXPECT_GE(seeds, 2) << folder;
}

INSTANTIATE_TEST_SUITE_P(Seeds, CorpusReplay,
                         ::testing::Values(Corpus{"png", checkPng}, Corpus{"gif", checkGif},
                                           Corpus{"icon", checkIconFile}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pictures::fuzzing
