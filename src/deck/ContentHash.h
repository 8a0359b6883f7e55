// SPDX-License-Identifier: GPL-3.0-or-later
// A fast 64-bit fingerprint of a file's bytes, to tell whether a deck on disk still holds what
// the program read or wrote.
#ifndef MNEMORA_DECK_CONTENTHASH_H
#define MNEMORA_DECK_CONTENTHASH_H

#include <cstddef>
#include <cstdint>

/// The XXH64 hash (seed 0), fed in blocks of any size: the same bytes give the same value
/// however they are split. Not for security, only for noticing a change.
class ContentHash
{
public:
    ContentHash();

    /// Adds the next bytes.
    void Add(const void* data, size_t size);
    /// The hash of every byte added so far.
    std::uint64_t Value() const;

private:
    std::uint64_t m_lanes[4];
    unsigned char m_pending[32]; ///< Bytes not yet making up a whole 32-byte stripe.
    size_t m_pendingSize = 0;
    std::uint64_t m_total = 0;
};

#endif
