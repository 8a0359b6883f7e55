// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline the file-writing benchmarks measure against: the same bytes in one buffered write.
#ifndef MNEMORA_BENCH_PLAINWRITE_H
#define MNEMORA_BENCH_PLAINWRITE_H

#include <wx/string.h>

#include <string>

/// Writes `bytes` to `path` with one buffered write, flushed to the disk when `sync` is set.
void PlainWrite(const wxString& path, const std::string& bytes, bool sync);
/// Adds the benchmarks BM_BufferedWrite and BM_BufferedWriteAndSync of `bytes` to `path`.
void RegisterPlainWrites(const wxString& path, const std::string& bytes);

#endif
