#include "ui/texts/gbk_text.h"

#include <QList>
#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace ui {
namespace {

struct IconvCloser {
    void operator()(iconv_t cd) const { iconv_close(cd); }
};
using Converter = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

Converter openConverter(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return Converter(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);
}

// Converts as much as it can; an unconvertible or broken sequence is replaced by `replacement`
// (in the target encoding) and conversion goes on one input unit further.
std::string convert(const Converter& cd, std::string_view input, std::string_view replacement,
                    std::size_t skipUnit) {
    std::string out;
    if (!cd) {
        return out;
    }
    iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(cd.get(), &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // EILSEQ or EINVAL (truncated sequence at the end): replace one unit and go on.
            out.append(replacement);
            const std::size_t skip = std::min(skipUnit, inLeft);
            in += skip;
            inLeft -= skip;
        }
    }
    return out;
}

} // namespace

QString fromGbk(std::string_view gbk) {
    static const Converter decoder = openConverter("UTF-8", "GBK");
    const std::string utf8 = convert(decoder, gbk, "\uFFFD", 1);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text toGbk(const QString& text) {
    static const Converter encoder = openConverter("GBK", "UTF-32LE");
    const QList<uint> codePoints = text.toUcs4();
    const std::string_view bytes(reinterpret_cast<const char*>(codePoints.data()),
                                 static_cast<std::size_t>(codePoints.size()) * sizeof(uint));
    return convert(encoder, bytes, "?", sizeof(uint));
}

} // namespace ui
