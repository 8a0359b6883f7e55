// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the seed packages of the package fuzz target into the folder given: both layouts with
// media, a stub-only package and a hostile media name, each a few kilobytes.
#include <cstdio>
#include <string>

#include "PackageBuilder.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    const std::string folder = argv[1];
    const std::vector<std::string> notes = {"<b>Q</b><img src=\"a.png\">\x1f"
                                            "A [sound:b.mp3]",
                                            "{{c1::cloze}}\x1f&amp;", "one field"};
    const std::vector<std::pair<std::string, std::string>> media = {{"a.png", "png"},
                                                                    {"b.mp3", "mp3"}};
    bool ok = WriteZip(folder + "/older.apkg", PackageMembers(false, notes, media)) &&
              WriteZip(folder + "/newer.apkg", PackageMembers(true, notes, media)) &&
              WriteZip(folder + "/stub.apkg", {PackageMembers(true, notes)[0]});
    ZipMembers hostile = PackageMembers(false, notes, media);
    hostile[1].second = "{\"0\": \"../a.png\"}";
    ok = ok && WriteZip(folder + "/hostile.apkg", hostile);
    return ok ? 0 : 1;
}
