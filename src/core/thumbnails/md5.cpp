// The MD5 digest: 64-byte blocks of four rounds of sixteen steps each.
#include "core/thumbnails/md5.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace lumaro {

namespace {

// Each step's left rotation, by round.
constexpr std::array<int, 16> kShifts = {7, 12, 17, 22, 5, 9, 14, 20, 4, 11, 16, 23, 6, 10, 15, 21};

// The sine table: the integer part of 2^32 * |sin(i + 1)|.
std::array<uint32_t, 64> sineTable() {
    std::array<uint32_t, 64> table{};
    for (size_t i = 0; i < table.size(); ++i)
        table[i] =
            static_cast<uint32_t>(std::fabs(std::sin(static_cast<double>(i + 1))) * 4294967296.0);
    return table;
}

uint32_t rotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

void addBlock(std::array<uint32_t, 4>& state, const unsigned char* block) {
    static const std::array<uint32_t, 64> sines = sineTable();
    uint32_t words[16];
    for (int w = 0; w < 16; ++w) {
        words[w] = uint32_t{block[4 * w]} | uint32_t{block[4 * w + 1]} << 8 |
                   uint32_t{block[4 * w + 2]} << 16 | uint32_t{block[4 * w + 3]} << 24;
    }
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        const int round = i / 16;
        uint32_t mixed = 0;
        int word = 0;
        if (round == 0) {
            mixed = (b & c) | (~b & d);
            word = i;
        } else if (round == 1) {
            mixed = (d & b) | (~d & c);
            word = (5 * i + 1) % 16;
        } else if (round == 2) {
            mixed = b ^ c ^ d;
            word = (3 * i + 5) % 16;
        } else {
            mixed = c ^ (b | ~d);
            word = (7 * i) % 16;
        }
        const uint32_t rotated =
            rotateLeft(a + mixed + sines[i] + words[word], kShifts[4 * round + i % 4]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

}  // namespace

std::string Md5Hex(std::string_view bytes) {
    std::array<uint32_t, 4> state = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    const size_t whole = bytes.size() / 64 * 64;
    for (size_t at = 0; at < whole; at += 64)
        addBlock(state, reinterpret_cast<const unsigned char*>(bytes.data() + at));
    // The rest, a 1 bit, zeros up to 56 bytes of a block, and the length in bits.
    unsigned char tail[128] = {};
    const size_t rest = bytes.size() - whole;
    for (size_t k = 0; k < rest; ++k) tail[k] = static_cast<unsigned char>(bytes[whole + k]);
    tail[rest] = 0x80;
    const size_t tailSize = rest < 56 ? 64 : 128;
    const uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
    for (int k = 0; k < 8; ++k)
        tail[tailSize - 8 + k] = static_cast<unsigned char>(bits >> (8 * k));
    for (size_t at = 0; at < tailSize; at += 64) addBlock(state, tail + at);
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(32);
    for (const uint32_t word : state) {
        for (int k = 0; k < 4; ++k) {
            const unsigned byte = (word >> (8 * k)) & 0xff;
            hex += kDigits[byte >> 4];
            hex += kDigits[byte & 0xf];
        }
    }
    return hex;
}

}  // namespace lumaro
