// SPDX-License-Identifier: GPL-3.0-or-later
// Anki deck packages built for tests, benchmarks and fuzz seeds: a real SQLite collection and
// a real zip archive, in the older layout (plain collection, JSON media list) or the newer one
// (zstd collection beside a stub, protobuf media list, zstd media).
#ifndef MNEMORA_TESTS_PACKAGEBUILDER_H
#define MNEMORA_TESTS_PACKAGEBUILDER_H

#include <string>
#include <utility>
#include <vector>

/// Members of a zip archive: name and bytes, in order.
using ZipMembers = std::vector<std::pair<std::string, std::string>>;

/// The bytes of an SQLite collection whose notes table holds `notes` (fields joined by 0x1F);
/// note i gets the id `ids[i]`, or i + 1 when `ids` is shorter.
std::string MakeCollection(const std::vector<std::string>& notes,
                           const std::vector<long long>& ids = {});

/// The bytes compressed into one zstd frame.
std::string ZstdFrame(const std::string& bytes);

/// Writes a zip archive, each member deflated; false on failure.
bool WriteZip(const std::string& path, const ZipMembers& members);

/// A whole package: the notes, and media files (name and bytes) numbered in order.
ZipMembers PackageMembers(bool newer, const std::vector<std::string>& notes,
                          const std::vector<std::pair<std::string, std::string>>& media = {},
                          const std::vector<long long>& ids = {});

#endif
