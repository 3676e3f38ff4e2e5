// What e2e_probe.exe reads from an executable file the way Windows reads it: its version
// resource and its other resources, without running it.
#pragma once

#include <string>

// The version resource of the file at `path` (UTF-8): the fixed part and the strings of
// the Chinese and English blocks, texts as hex of their UTF-8 bytes.
std::string FileVersion(const std::string& path);

// The bytes of resource `id` of type `type` as hex: "ok size=N data=HEX" or "err ...".
std::string ResourceData(const std::string& path, int type, int id);
