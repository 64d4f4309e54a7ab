// The program's texts, written in UTF-8 and made GBK bytes by the build, against their GBK bytes
// as iconv gives them by hand.

#include "ui/texts/program_texts.h"

#include <gtest/gtest.h>
#include <string_view>

namespace {

std::string_view bytes(const char* text) {
    return text;
}

} // namespace

TEST(ProgramTexts, AreGbkBytes) {
    EXPECT_EQ(bytes(texts::buttons::yes), "\xca\xc7");            // 是
    EXPECT_EQ(bytes(texts::buttons::no), "\xb7\xf1");             // 否
    EXPECT_EQ(bytes(texts::errors::caption), "\xb4\xed\xce\xf3"); // 错误
    EXPECT_EQ(bytes(texts::names::签名), "\xc7\xa9\xc3\xfb");     // 签名
    EXPECT_EQ(bytes(texts::caption), "Fokarium - \xd7\xa2\xd2\xe2\xc1\xa6\xd1\xb5\xc1\xb7 v1.0");
}

TEST(ProgramTexts, ThePrefaceIsFourLinesWithAnEmptyLineBetweenEachTwo) {
    const std::string_view preface = texts::preface;
    EXPECT_EQ(preface.size(), 84u);
    EXPECT_EQ(preface.substr(0, 4), "\xc9\xd9\xb6\xf9"); // 少儿
    EXPECT_EQ(preface.substr(18, 4), "\r\n\r\n");      // each line is nine characters of two bytes
    EXPECT_EQ(preface.substr(80), "\xb1\xd8\xbe\xbf"); // 必究
}
