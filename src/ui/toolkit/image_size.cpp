#include "ui/toolkit/image_size.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "base/unicode.h"

namespace tessaly::DUI {
namespace {

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint32_t BigEndian16(const uint8_t* p) {
    return (uint32_t{p[0]} << 8) | p[1];
}
int32_t LittleEndian32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) |
                                (uint32_t{p[3]} << 24));
}

Size PngSize(const std::vector<uint8_t>& h) {
    // Signature, then the IHDR chunk: length, "IHDR", width, height.
    if (h.size() < 24 || std::memcmp(h.data() + 12, "IHDR", 4) != 0) {
        return {};
    }
    return {static_cast<int>(BigEndian32(h.data() + 16)),
            static_cast<int>(BigEndian32(h.data() + 20))};
}

Size BmpSize(const std::vector<uint8_t>& h) {
    if (h.size() < 26) {
        return {};
    }
    int32_t width = LittleEndian32(h.data() + 18);
    int32_t height = LittleEndian32(h.data() + 22);
    // A negative height marks a top-down bitmap.
    return {width, height < 0 ? -height : height};
}

// Walks the JPEG segments up to the first start-of-frame marker.
Size JpegSize(std::ifstream& file) {
    file.seekg(2);
    std::array<uint8_t, 9> seg{};
    while (file.read(reinterpret_cast<char*>(seg.data()), 4)) {
        if (seg[0] != 0xFF) {
            return {};
        }
        uint8_t marker = seg[1];
        uint32_t length = BigEndian16(seg.data() + 2);
        bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (!file.read(reinterpret_cast<char*>(seg.data()), 5)) {
                return {};
            }
            return {static_cast<int>(BigEndian16(seg.data() + 3)),
                    static_cast<int>(BigEndian16(seg.data() + 1))};
        }
        if (length < 2) {
            return {};
        }
        file.seekg(length - 2, std::ios::cur);
    }
    return {};
}

}  // namespace

Size ReadImageSize(std::u16string_view path) {
    std::ifstream file(ToUtf8(path), std::ios::binary);
    if (!file) {
        return {};
    }
    std::vector<uint8_t> head(26);
    file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(file.gcount()));
    file.clear();
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (head.size() >= 8 && std::memcmp(head.data(), kPng, 8) == 0) {
        return PngSize(head);
    }
    if (head.size() >= 2 && head[0] == 'B' && head[1] == 'M') {
        return BmpSize(head);
    }
    if (head.size() >= 2 && head[0] == 0xFF && head[1] == 0xD8) {
        return JpegSize(file);
    }
    return {};
}

}  // namespace tessaly::DUI
