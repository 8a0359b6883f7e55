// SPDX-License-Identifier: GPL-3.0-or-later
// The XXH64 hash in its streaming form.
#include "deck/ContentHash.h"

#include <cstring>

namespace
{
constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t Prime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t Prime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t Prime5 = 0x27D4EB2F165667C5ULL;

inline std::uint64_t RotateLeft(std::uint64_t value, int bits)
{
    return (value << bits) | (value >> (64 - bits));
}

// Little-endian reads, as the hash is defined.
template <typename Word> inline Word ReadLittle(const unsigned char* p)
{
    Word value;
    std::memcpy(&value, p, sizeof value);
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    if constexpr (sizeof value == 8)
        value = __builtin_bswap64(value);
    else
        value = __builtin_bswap32(value);
#endif
    return value;
}

inline std::uint64_t Round(std::uint64_t lane, std::uint64_t input)
{
    lane += input * Prime2;
    return RotateLeft(lane, 31) * Prime1;
}

inline std::uint64_t Merge(std::uint64_t hash, std::uint64_t lane)
{
    hash ^= Round(0, lane);
    return hash * Prime1 + Prime4;
}

inline void Stripe(std::uint64_t* lanes, const unsigned char* p)
{
    lanes[0] = Round(lanes[0], ReadLittle<std::uint64_t>(p));
    lanes[1] = Round(lanes[1], ReadLittle<std::uint64_t>(p + 8));
    lanes[2] = Round(lanes[2], ReadLittle<std::uint64_t>(p + 16));
    lanes[3] = Round(lanes[3], ReadLittle<std::uint64_t>(p + 24));
}
} // namespace

ContentHash::ContentHash() : m_lanes{Prime1 + Prime2, Prime2, 0, 0 - Prime1}, m_pending{} {}

void ContentHash::Add(const void* data, size_t size)
{
    const unsigned char* p = static_cast<const unsigned char*>(data);
    m_total += size;
    if (m_pendingSize + size < sizeof m_pending)
    {
        std::memcpy(m_pending + m_pendingSize, p, size);
        m_pendingSize += size;
        return;
    }
    if (m_pendingSize > 0)
    {
        const size_t fill = sizeof m_pending - m_pendingSize;
        std::memcpy(m_pending + m_pendingSize, p, fill);
        Stripe(m_lanes, m_pending);
        p += fill;
        size -= fill;
        m_pendingSize = 0;
    }
    for (; size >= 32; p += 32, size -= 32)
        Stripe(m_lanes, p);
    std::memcpy(m_pending, p, size);
    m_pendingSize = size;
}

std::uint64_t ContentHash::Value() const
{
    std::uint64_t hash;
    if (m_total >= 32)
    {
        hash = RotateLeft(m_lanes[0], 1) + RotateLeft(m_lanes[1], 7) + RotateLeft(m_lanes[2], 12) +
               RotateLeft(m_lanes[3], 18);
        for (const std::uint64_t lane : m_lanes)
            hash = Merge(hash, lane);
    }
    else
        hash = Prime5;
    hash += m_total;

    const unsigned char* p = m_pending;
    size_t rest = m_pendingSize;
    for (; rest >= 8; p += 8, rest -= 8)
        hash = RotateLeft(hash ^ Round(0, ReadLittle<std::uint64_t>(p)), 27) * Prime1 + Prime4;
    if (rest >= 4)
    {
        hash =
            RotateLeft(hash ^ (std::uint64_t(ReadLittle<std::uint32_t>(p)) * Prime1), 23) * Prime2 +
            Prime3;
        p += 4;
        rest -= 4;
    }
    for (; rest > 0; ++p, --rest)
        hash = RotateLeft(hash ^ (*p * Prime5), 11) * Prime1;

    hash ^= hash >> 33;
    hash *= Prime2;
    hash ^= hash >> 29;
    hash *= Prime3;
    hash ^= hash >> 32;
    return hash;
}
