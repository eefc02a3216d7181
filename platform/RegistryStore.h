#pragma once

#include <optional>
#include <string>
#include <vector>

// The management system's registry keys under HKEY_LOCAL_MACHINE, read-only. Key paths are written
// as Windows writes them ("\SOFTWARE\Halvern\Modules\HelpPath"); key paths and value names match
// ignoring case, as in the Windows registry.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Whether the key can be opened.
    virtual bool keyExists(const std::string& keyPath) const = 0;
    // The text value, or nothing when the key or the value is missing.
    virtual std::optional<std::string> readString(const std::string& keyPath,
                                                  const std::string& valueName) const = 0;

    // Leading, trailing and doubled backslashes dropped, '/' taken as '\', and an optional
    // "HKEY_LOCAL_MACHINE\" or "HKLM\" in front dropped: the form keys are compared in.
    static std::string normalizedKey(const std::string& keyPath);
};

// Keys held in memory: the registry file's contents, and tests.
class MemoryRegistryStore : public RegistryStore {
public:
    // Adds a key (it then exists even without values); an existing key is kept.
    void addKey(const std::string& keyPath);
    // Sets a value, adding its key; an existing value of the same name (ignoring case) is kept,
    // since the first entry of a name wins.
    void addValue(const std::string& keyPath, const std::string& valueName, const std::string& text);

    bool keyExists(const std::string& keyPath) const override;
    std::optional<std::string> readString(const std::string& keyPath,
                                          const std::string& valueName) const override;

private:
    struct Key {
        std::string path;
        std::vector<std::pair<std::string, std::string>> values;
    };
    Key* find(const std::string& keyPath);
    const Key* find(const std::string& keyPath) const;

    std::vector<Key> m_keys;
};

// The registry file: INI-style text, one section per key ("[SOFTWARE\Halvern\Vistrel5.1\MibFile]"),
// one "name=text" line per value. Names and texts are trimmed and a text loses one pair of
// surrounding double quotes; lines starting with ';' or '#' are comments; CRLF line ends and a
// UTF-8 byte order mark are accepted. The file is read once, when the store is made; a missing or
// unreadable file gives a store without keys.
class RegistryFile : public MemoryRegistryStore {
public:
    explicit RegistryFile(const std::string& path);

    // Whether the file could be read.
    bool loaded() const { return m_loaded; }
    // The lines that were neither a section, a value nor a comment (1-based line numbers).
    const std::vector<int>& badLines() const { return m_badLines; }

    // $HV_REGISTRY_FILE when set and not empty, else /etc/halvern/registry.ini.
    static std::string defaultPath();

private:
    bool m_loaded = false;
    std::vector<int> m_badLines;
};
