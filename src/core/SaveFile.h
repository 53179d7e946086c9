#pragma once
// Saving through a temporary file in the same folder and a rename over the
// old file: a failed save leaves the previous file as it was.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

// Writes `bytes` to `path`. Returns false (and leaves `path` untouched) on any failure;
// `error` then says what failed.
bool saveFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string* error = nullptr);

// Lets `write` stream the content; it returns false to give up. Same guarantees as above.
bool saveFileAtomically(const std::filesystem::path& path, const std::function<bool(std::ostream&)>& write,
                        std::string* error = nullptr);
