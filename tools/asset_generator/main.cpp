// Draws the program's pictures into a folder: the window icon, the logo, the animated enter
// picture, the hand pointer and the desktop menu icons. The output depends on nothing but this
// code, so the committed pictures can always be made again byte for byte.
#include "enter_picture.hpp"
#include "gif_writer.hpp"
#include "icon_file_writer.hpp"
#include "icon_picture.hpp"
#include "logo_picture.hpp"
#include "png_writer.hpp"
#include "pointer_picture.hpp"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

void generate(const std::filesystem::path& folder) {
    using namespace assetgen;
    std::filesystem::create_directories(folder / "hicolor");

    std::vector<IconImage> icons;
    for (const int size : {128, 96, 64, 48, 32}) {
        icons.push_back({drawIcon(size)});
    }
    writeIconFile(folder / "icon.ico", icons);
    for (const int size : {16, 22, 24, 32, 48, 64, 128}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        writePng(folder / "hicolor" / name, drawIcon(size));
    }

    writePng(folder / "logo.png", drawLogo());
    writeGif(folder / "enter.gif", drawEnterAnimation());
    writeCursorFile(folder / "pointer.cur", {{drawPointer(), kPointerHotSpotX, kPointerHotSpotY}});
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fokarium-assetgen <output-dir>\n";
        return 2;
    }
    try {
        generate(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "fokarium-assetgen: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
