#include "demo/demo_writer.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

// Replaces the target with the finished temporary file in one step.
bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// Says what failed and why, then drops the temporary file; the target is left as it was.
void Abandon(DemoWriter& writer, const std::string& action) {
    std::fprintf(stderr, "drav: cannot %s: %s; the demo is not recorded\n", action.c_str(),
                 std::strerror(errno));
    if (writer.file != nullptr) {
        std::fclose(writer.file);
        writer.file = nullptr;
    }
    std::remove(writer.tempPath.c_str());
    writer.pending.clear();
}

bool FlushPending(DemoWriter& writer) {
    if (writer.file == nullptr) {
        return false;
    }
    const size_t size = writer.pending.size();
    errno = 0;
    if (std::fwrite(writer.pending.data(), 1, size, writer.file) != size ||
        std::fflush(writer.file) != 0) {
        if (errno == 0) {
            errno = EIO;
        }
        Abandon(writer, "write " + writer.tempPath);
        return false;
    }
    writer.pending.clear();
    return true;
}

bool PatchTickCount(DemoWriter& writer) {
    uint8_t count[4];
    EncodeTickCount(count, writer.ticks);
    return std::fseek(writer.file, static_cast<long>(DemoTickCountOffset), SEEK_SET) == 0 &&
           std::fwrite(count, 1, sizeof count, writer.file) == sizeof count;
}

} // namespace

bool OpenDemoWriter(DemoWriter& writer, const char* path, uint64_t dataDigest) {
    writer = DemoWriter{};
    writer.path = path;
    writer.tempPath = writer.path + ".part";
    writer.file = std::fopen(writer.tempPath.c_str(), "wb");
    if (writer.file == nullptr) {
        Abandon(writer, "create " + writer.tempPath);
        return false;
    }
    AppendDemoHeader(writer.pending, dataDigest);
    return FlushPending(writer);
}

bool DemoWriterOpen(const DemoWriter& writer) {
    return writer.file != nullptr;
}

void WriteDemoTick(DemoWriter& writer, uint8_t keys) {
    if (writer.file == nullptr) {
        return;
    }
    writer.pending.push_back(keys);
    ++writer.ticks;
    if (writer.ticks % DemoFlushTicks == 0) {
        FlushPending(writer);
    }
}

void WriteDemoCheck(DemoWriter& writer, const DemoCheck& check) {
    if (writer.file != nullptr) {
        AppendDemoCheck(writer.pending, check);
    }
}

bool CloseDemoWriter(DemoWriter& writer) {
    if (writer.file == nullptr) {
        return false;
    }
    AppendDemoEnd(writer.pending, writer.ticks);
    if (!FlushPending(writer)) {
        return false;
    }
    errno = 0;
    if (!PatchTickCount(writer) || std::fclose(writer.file) != 0) {
        writer.file = nullptr;
        Abandon(writer, "finish " + writer.tempPath);
        return false;
    }
    writer.file = nullptr;
    if (!RenameOver(writer.tempPath, writer.path)) {
        Abandon(writer, "rename " + writer.tempPath + " to " + writer.path);
        return false;
    }
    return true;
}
