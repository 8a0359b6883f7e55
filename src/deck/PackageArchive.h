// SPDX-License-Identifier: GPL-3.0-or-later
// The zip archive of an Anki deck package, read member by member with a limit on what each
// member may unpack to, so that a crafted archive cannot fill the disk or the memory.
#ifndef MNEMORA_DECK_PACKAGEARCHIVE_H
#define MNEMORA_DECK_PACKAGEARCHIVE_H

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct zip;

/// Read-only access to the members of a zip archive.
class PackageArchive
{
public:
    /// Why a member could not be read.
    enum class Failure
    {
        None,
        Missing, ///< No member of that name.
        Bomb,    ///< It would unpack past 1 GB, or past 200 times its packed size.
        Broken   ///< The archive or the member's compressed data is damaged.
    };

    /// A member may unpack to at most this many bytes,
    static constexpr std::uint64_t MaxSize = 1024ull * 1024 * 1024;
    /// and to at most this many times its packed size once past FreeSize.
    static constexpr std::uint64_t MaxRatio = 200;
    static constexpr std::uint64_t FreeSize = 1024 * 1024;

    PackageArchive() = default;
    PackageArchive(const PackageArchive&) = delete;
    PackageArchive& operator=(const PackageArchive&) = delete;
    ~PackageArchive();

    /// Opens the zip archive at `path`; false when it is none (the reason in ErrorText).
    bool Open(const wxString& path);
    /// True when the archive has a member of that name.
    bool Has(const std::string& name) const;
    /// Hands the unpacked bytes of a member to `sink` piece by piece; with `zstd`, bytes that
    /// form a zstd frame are unpacked from it too, under the same limits.
    Failure Read(const std::string& name, bool zstd,
                 const std::function<bool(const char*, size_t)>& sink);
    /// Reads a whole member into `bytes`.
    Failure ReadAll(const std::string& name, bool zstd, std::string& bytes);
    /// The library's text for the last failure to open.
    const wxString& ErrorText() const { return m_error; }

private:
    zip* m_zip = nullptr;
    wxString m_error;
};

#endif
