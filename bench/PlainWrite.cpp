// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline the file-writing benchmarks measure against.
#include "PlainWrite.h"

#include <benchmark/benchmark.h>

#include <cstdio>

#include <unistd.h>

void PlainWrite(const wxString& path, const std::string& bytes, bool sync)
{
    FILE* file = std::fopen(path.fn_str(), "wb");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    if (sync)
    {
        std::fflush(file);
        fsync(fileno(file));
    }
    std::fclose(file);
}

void RegisterPlainWrites(const wxString& path, const std::string& bytes)
{
    for (const bool sync : {false, true})
    {
        benchmark::RegisterBenchmark(sync ? "BM_BufferedWriteAndSync" : "BM_BufferedWrite",
                                     [path, &bytes, sync](benchmark::State& state)
                                     {
                                         for (auto _ : state)
                                             PlainWrite(path, bytes, sync);
                                     })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
}
