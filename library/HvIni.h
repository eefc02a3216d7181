#pragma once

#include <string>

// Reads single keys of an INI file the way the Windows profile functions do: section and key names
// ignore case and are trimmed, the first section of a name and its first key of a name count, the
// value is the text after the first '=', trimmed, losing one pair of matching quotes (' or ")
// around it. Lines starting with ';' are comments; there are no comments after a value, so a ';'
// inside one stays. Lines that are neither a section nor a key, and keys before the first
// section, are skipped. CRLF line ends and a UTF-8 byte order mark are accepted. The path may be
// written with backslashes and in any case (resolvePathIgnoringCase). The file is read afresh on
// every call.
class HvIni {
public:
    explicit HvIni(const std::string& path);
    ~HvIni();

    // The key's value trimmed of leading and trailing blanks and control characters; the default
    // unchanged when the file, the section or the key is missing or the value is empty.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;

    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};
