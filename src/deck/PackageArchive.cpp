// SPDX-License-Identifier: GPL-3.0-or-later
// Zip members of a deck package, unpacked under limits, zstd frames included.
#include "deck/PackageArchive.h"

#include <zip.h>
#include <zstd.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{
// The most a member of `packed` bytes may unpack to.
std::uint64_t Limit(std::uint64_t packed)
{
    const std::uint64_t ratio = packed * PackageArchive::MaxRatio;
    const std::uint64_t limit = ratio < PackageArchive::FreeSize ? PackageArchive::FreeSize : ratio;
    return limit < PackageArchive::MaxSize ? limit : PackageArchive::MaxSize;
}

// Unpacks zstd frames handed in piece by piece, within a limit.
class ZstdSink
{
public:
    ZstdSink(const std::function<bool(const char*, size_t)>& sink, std::uint64_t limit)
        : m_sink(sink), m_limit(limit), m_stream(ZSTD_createDStream(), ZSTD_freeDStream),
          m_out(ZSTD_DStreamOutSize())
    {
    }

    PackageArchive::Failure Feed(const char* data, size_t size)
    {
        ZSTD_inBuffer in = {data, size, 0};
        while (in.pos < in.size)
        {
            ZSTD_outBuffer out = {m_out.data(), m_out.size(), 0};
            m_last = ZSTD_decompressStream(m_stream.get(), &out, &in);
            if (ZSTD_isError(m_last))
                return PackageArchive::Failure::Broken;
            m_total += out.pos;
            if (m_total > m_limit)
                return PackageArchive::Failure::Bomb;
            if (out.pos != 0 && !m_sink(m_out.data(), out.pos))
                return PackageArchive::Failure::Broken;
        }
        return PackageArchive::Failure::None;
    }

    /// A frame that stopped in the middle is damaged.
    bool Complete() const { return m_last == 0; }

private:
    const std::function<bool(const char*, size_t)>& m_sink;
    std::uint64_t m_limit;
    std::uint64_t m_total = 0;
    size_t m_last = 0;
    std::unique_ptr<ZSTD_DStream, size_t (*)(ZSTD_DStream*)> m_stream;
    std::vector<char> m_out;
};
} // namespace

PackageArchive::~PackageArchive()
{
    if (m_zip != nullptr)
        zip_discard(m_zip);
}

bool PackageArchive::Open(const wxString& path)
{
    int error = 0;
    m_zip = zip_open(path.fn_str(), ZIP_RDONLY, &error);
    if (m_zip != nullptr)
        return true;
    zip_error_t text;
    zip_error_init_with_code(&text, error);
    m_error = wxString::FromUTF8(zip_error_strerror(&text));
    zip_error_fini(&text);
    return false;
}

bool PackageArchive::Has(const std::string& name) const
{
    return m_zip != nullptr && zip_name_locate(m_zip, name.c_str(), 0) >= 0;
}

PackageArchive::Failure PackageArchive::Read(const std::string& name, bool zstd,
                                             const std::function<bool(const char*, size_t)>& sink)
{
    const zip_int64_t index = m_zip == nullptr ? -1 : zip_name_locate(m_zip, name.c_str(), 0);
    if (index < 0)
        return Failure::Missing;
    zip_stat_t stat;
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0 ||
        (stat.valid & (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE)) != (ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE))
        return Failure::Broken;
    // The sizes the archive states are checked first; the bytes unpacked are counted as well,
    // because a crafted archive may state less than it holds.
    const std::uint64_t limit = Limit(stat.comp_size);
    if (stat.size > limit)
        return Failure::Bomb;
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(
        zip_fopen_index(m_zip, zip_uint64_t(index), 0), zip_fclose);
    if (!file)
        return Failure::Broken;
    std::vector<char> chunk(64 * 1024);
    std::uint64_t total = 0;
    std::unique_ptr<ZstdSink> frames;
    for (bool first = true;; first = false)
    {
        const zip_int64_t got = zip_fread(file.get(), chunk.data(), chunk.size());
        if (got < 0)
            return Failure::Broken;
        if (got == 0)
            break;
        total += std::uint64_t(got);
        if (total > limit)
            return Failure::Bomb;
        if (first && zstd && got >= 4 && std::memcmp(chunk.data(), "\x28\xB5\x2F\xFD", 4) == 0)
            frames = std::make_unique<ZstdSink>(sink, Limit(stat.size));
        if (frames)
        {
            const Failure failure = frames->Feed(chunk.data(), size_t(got));
            if (failure != Failure::None)
                return failure;
        }
        else if (!sink(chunk.data(), size_t(got)))
            return Failure::Broken;
    }
    return frames && !frames->Complete() ? Failure::Broken : Failure::None;
}

PackageArchive::Failure PackageArchive::ReadAll(const std::string& name, bool zstd,
                                                std::string& bytes)
{
    bytes.clear();
    return Read(name, zstd,
                [&bytes](const char* data, size_t size)
                {
                    bytes.append(data, size);
                    return true;
                });
}
