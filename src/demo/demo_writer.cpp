#include "demo/demo_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Says what failed and why, then drops the temporary file; the target is left as it was.
void Abandon(DemoWriter& writer, const std::string& failure) {
    std::fprintf(stderr, "%s: %s; the demo is not recorded\n", writer.program, failure.c_str());
    AbandonOutputFile(writer.file);
    writer.pending.clear();
}

std::string WriteFailure(const DemoWriter& writer) {
    const std::string& written =
        writer.file.partPath.empty() ? writer.file.path : writer.file.partPath;
    return "cannot write " + written + ": " + std::strerror(errno);
}

bool FlushPending(DemoWriter& writer) {
    if (writer.file.stream == nullptr) {
        return false;
    }
    const size_t size = writer.pending.size();
    errno = 0;
    if (std::fwrite(writer.pending.data(), 1, size, writer.file.stream) != size ||
        !FlushOutputFile(writer.file)) {
        if (errno == 0) {
            errno = EIO;
        }
        Abandon(writer, WriteFailure(writer));
        return false;
    }
    writer.pending.clear();
    return true;
}

bool PatchTickCount(DemoWriter& writer) {
    uint8_t count[4];
    EncodeTickCount(count, writer.ticks);
    return std::fseek(writer.file.stream, static_cast<long>(DemoTickCountOffset), SEEK_SET) == 0 &&
           std::fwrite(count, 1, sizeof count, writer.file.stream) == sizeof count;
}

} // namespace

bool OpenDemoWriter(DemoWriter& writer, const char* program, const char* path, uint64_t dataDigest,
                    const MouseTurning* mouse) {
    writer = DemoWriter{};
    writer.program = program;
    std::string error;
    if (!OpenOutputFile(writer.file, path, error)) {
        Abandon(writer, error);
        return false;
    }
    AppendDemoHeader(writer.pending, dataDigest, mouse);
    return FlushPending(writer);
}

bool DemoWriterOpen(const DemoWriter& writer) {
    return writer.file.stream != nullptr;
}

void WriteDemoTick(DemoWriter& writer, uint8_t keys, MouseMotion motion) {
    if (DemoWriterOpen(writer)) {
        AppendDemoTick(writer.pending, keys, motion);
        ++writer.ticks;
    }
}

void WriteDemoCheck(DemoWriter& writer, const DemoCheck& check) {
    if (DemoWriterOpen(writer)) {
        AppendDemoCheck(writer.pending, check);
    }
}

void EndDemoTick(DemoWriter& writer) {
    if (DemoWriterOpen(writer) && writer.ticks % DemoFlushTicks == 0) {
        FlushPending(writer);
    }
}

bool CloseDemoWriter(DemoWriter& writer) {
    if (!DemoWriterOpen(writer)) {
        return false;
    }
    AppendDemoEnd(writer.pending, writer.ticks);
    if (!FlushPending(writer)) {
        return false;
    }
    errno = 0;
    if (!PatchTickCount(writer)) {
        Abandon(writer, WriteFailure(writer));
        return false;
    }
    std::string error;
    if (!CommitOutputFile(writer.file, error)) {
        Abandon(writer, error);
        return false;
    }
    return true;
}
