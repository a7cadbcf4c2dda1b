// drav-icon: the program's icon, the heart texture through the palette, enlarged by a whole
// factor so that every size the desktop asks for stays pixel-sharp.
// usage: drav-icon HEART-TEXTURE SCALE OUTPUT.png
#include <cstdio>
#include <cstdlib>

#include "assets/model.h"
#include "capture/png_writer.h"
#include "render/palette.h"

namespace {

constexpr int ExitFailed = 1;
constexpr int ExitBadArguments = 2;
constexpr int MaxScale = 16;

bool ParseScale(const char* text, int& scale) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 1 || value > MaxScale) {
        return false;
    }
    scale = static_cast<int>(value);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    int scale = 0;
    if (argc != 4 || !ParseScale(argv[2], scale)) {
        std::fprintf(stderr, "usage: drav-icon HEART-TEXTURE SCALE(1-%d) OUTPUT.png\n", MaxScale);
        return ExitBadArguments;
    }
    // Read here rather than through the texture loader, which takes a missing or short file
    // for a texture padded with zeros: an icon needs the whole real image.
    std::FILE* file = std::fopen(argv[1], "rb");
    Texture texture{};
    const bool read = file != nullptr && std::fread(texture.texels, 1, TextureBytes, file) ==
                                             static_cast<size_t>(TextureBytes);
    if (file != nullptr) {
        std::fclose(file);
    }
    if (!read) {
        std::fprintf(stderr, "drav-icon: cannot read %d bytes of %s\n", TextureBytes, argv[1]);
        return ExitFailed;
    }
    BuildPalette(Palette);
    const bool written =
        WritePalettedPng(argv[3], texture.texels, TextureSide, TextureSide, Palette, scale);
    if (!written) {
        std::fprintf(stderr, "drav-icon: cannot write %s\n", argv[3]);
    }
    return written ? 0 : ExitFailed;
}
