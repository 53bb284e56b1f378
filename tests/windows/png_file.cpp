#include "tests/windows/png_file.h"

#include <cstdio>

namespace {

uint32_t Crc(const uint8_t* data, size_t size, uint32_t crc = 0xFFFFFFFFu)
{
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return crc;
}

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* kind, const std::vector<uint8_t>& data)
{
    Put32(out, static_cast<uint32_t>(data.size()));
    std::vector<uint8_t> body(kind, kind + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, Crc(body.data(), body.size()) ^ 0xFFFFFFFFu);
}

// A zlib stream of stored blocks.
std::vector<uint8_t> Stored(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t size = raw.size() - at < 65535 ? raw.size() - at : 65535;
        bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(size));
        out.push_back(static_cast<uint8_t>(size >> 8));
        out.push_back(static_cast<uint8_t>(~size));
        out.push_back(static_cast<uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + size));
        at += size;
    } while (at < raw.size());
    uint32_t a = 1, b = 0;
    for (uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    Put32(out, (b << 16) | a);
    return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& pixels)
{
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, static_cast<uint32_t>(width));
    Put32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", Stored(raw));
    Chunk(file, "IEND", {});
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && ok;
}
