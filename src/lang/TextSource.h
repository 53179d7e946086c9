#pragma once
// Where LoadText looks for translated texts: the language service installs
// itself here. Without a source, LoadText gives the built-in texts.

#include <optional>
#include <string>

class TextSource
{
public:
    virtual ~TextSource() = default;
    // The translated text of string `id`, or nothing when there is none.
    virtual std::optional<std::string> stringText(int id) const = 0;
};

// Installs `source` (nullptr: none); returns the previous one. The caller keeps ownership.
const TextSource* installTextSource(const TextSource* source);
