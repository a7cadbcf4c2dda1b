// drav-icon: the program's icon, the heart texture through the palette, as a PNG image of one
// size for the desktop's icon theme, or as a Windows icon file holding the sizes Windows shows.
// Each size samples the nearest texel, so the icon keeps the palette's colours and its 64 px
// image is the texture itself.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "assets/data_file.h"
#include "assets/model.h"
#include "capture/frame_png.h"
#include "cli/command_line.h"
#include "render/palette.h"

namespace {

constexpr int ExitFailed = 1;
constexpr int MinimumSize = 16;
constexpr int MaximumSize = 256;
// The sizes Windows picks from for lists, the taskbar, the title bar and large views.
constexpr int WindowsIconSizes[] = {16, 32, 48, 256};

struct IconOptions {
    std::string texturePath;
    std::string pngPath;
    int size;
    std::string icoPath;
};

CommandLineOutcome ParseIconOptions(int argc, char** argv, IconOptions& options) {
    options = IconOptions{"", "", TextureSide, ""};
    CLI::App app("", "drav-icon");
    DescribeProgram(app, "Makes the program's icon from the heart texture.");
    app.add_option("HEART-TEXTURE", options.texturePath, "the heart's 64x64 texture file")
        ->required();
    AddTextOption(app, "--png", "FILE", "write the icon as a PNG image", options.pngPath);
    AddWholeNumberOption(app, "--size", "N", "the PNG's width and height (default 64)",
                         options.size, MinimumSize, MaximumSize);
    AddTextOption(app, "--ico", "FILE", "write a Windows icon of 16, 32, 48 and 256 pixels",
                  options.icoPath);
    return ParseCommandLine(app, argc, argv);
}

// Read here rather than through the texture loader, which takes a missing or short file for a
// texture padded with zeros: an icon needs the whole real image.
bool ReadTexture(const std::string& path, Texture& texture) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    const bool read = file != nullptr && std::fread(texture.texels, 1, TextureBytes, file) ==
                                             static_cast<size_t>(TextureBytes);
    if (file != nullptr) {
        std::fclose(file);
    }
    return read;
}

// The texture as size x size palette indices, each pixel the texel under its centre.
std::vector<uint8_t> SampleTexture(const Texture& texture, int size) {
    std::vector<uint8_t> pixels(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        const int row = (2 * y + 1) * TextureSide / (2 * size);
        for (int x = 0; x < size; ++x) {
            const int column = (2 * x + 1) * TextureSide / (2 * size);
            pixels[static_cast<size_t>(y) * size + x] = texture.texels[row * TextureSide + column];
        }
    }
    return pixels;
}

bool EncodeIconPng(const Texture& texture, int size, std::vector<uint8_t>& png) {
    const std::vector<uint8_t> pixels = SampleTexture(texture, size);
    return EncodeFramePng(FrameView{pixels.data(), size, size, size}, Palette, 1,
                          PngText{nullptr, nullptr}, png);
}

void AppendLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// An icon file: a 6-byte header, one 16-byte directory entry per image, then the images, each
// stored as a PNG (which Windows reads in icons of any size). A width or height of 256 is
// written as 0.
bool EncodeWindowsIcon(const Texture& texture, std::vector<uint8_t>& ico) {
    constexpr int HeaderBytes = 6;
    constexpr int EntryBytes = 16;
    constexpr int imageCount = static_cast<int>(std::size(WindowsIconSizes));
    std::vector<uint8_t> images;
    ico.clear();
    AppendLittleEndian(ico, 0, 2);          // reserved
    AppendLittleEndian(ico, 1, 2);          // an icon, not a cursor
    AppendLittleEndian(ico, imageCount, 2); // images
    for (const int size : WindowsIconSizes) {
        std::vector<uint8_t> png;
        if (!EncodeIconPng(texture, size, png)) {
            return false;
        }
        const uint32_t offset = HeaderBytes + EntryBytes * imageCount + images.size();
        AppendLittleEndian(ico, size % 256, 1); // width
        AppendLittleEndian(ico, size % 256, 1); // height
        AppendLittleEndian(ico, 0, 1);          // no colour table
        AppendLittleEndian(ico, 0, 1);          // reserved
        AppendLittleEndian(ico, 1, 2);          // colour planes
        AppendLittleEndian(ico, 24, 2);         // bits per pixel: the PNGs are RGB
        AppendLittleEndian(ico, static_cast<uint32_t>(png.size()), 4);
        AppendLittleEndian(ico, offset, 4);
        images.insert(images.end(), png.begin(), png.end());
    }
    ico.insert(ico.end(), images.begin(), images.end());
    return true;
}

// Encodes and writes one output; names it on stderr when that fails.
bool WriteOutput(const std::string& path, bool encoded, const std::vector<uint8_t>& bytes) {
    if (encoded && WriteFileBytes(path.c_str(), bytes.data(), bytes.size())) {
        return true;
    }
    std::fprintf(stderr, "drav-icon: cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    IconOptions options;
    const int exitStatus = ReportCommandLine(ParseIconOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    Texture texture{};
    if (!ReadTexture(options.texturePath, texture)) {
        std::fprintf(stderr, "drav-icon: cannot read %d bytes of %s\n", TextureBytes,
                     options.texturePath.c_str());
        return ExitFailed;
    }
    BuildPalette(Palette);
    std::vector<uint8_t> bytes;
    if (!options.pngPath.empty() &&
        !WriteOutput(options.pngPath, EncodeIconPng(texture, options.size, bytes), bytes)) {
        return ExitFailed;
    }
    if (!options.icoPath.empty() &&
        !WriteOutput(options.icoPath, EncodeWindowsIcon(texture, bytes), bytes)) {
        return ExitFailed;
    }
    return 0;
}
