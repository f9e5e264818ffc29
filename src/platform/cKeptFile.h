// A file the game keeps between runs: read under a size limit, replaced whole through a renamed
// temporary file, and set aside as NAME.bad when it is damaged.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class cKeptFile {
public:
    // No file the game writes comes near this, so a larger one is damage, not data.
    static constexpr std::size_t kMaxBytes = 1024 * 1024;

    enum eRead { present, missing, unreadable };

    // An empty folder (no home folder to keep files in) reads as missing and fails every write.
    cKeptFile(std::string folder, std::string name);

    const std::string& getPath() const { return path; }

    // The whole file into text. missing: there is none (a first start). unreadable: larger than
    // kMaxBytes, not a plain file, or a read error; reason says which ("is larger than 1 MiB").
    eRead read(std::string& text, std::string& reason) const;

    // Replaces the file with text: a temporary file beside it, NAME.tmp.PID, is written, flushed
    // and synced, renamed over the old one, and the folder synced, so a kill at any moment leaves
    // the old file or the new one, whole; two processes writing at once leave the last one's.
    // Makes missing folders (mode 0700). When a step fails: false with the reason, the old file
    // as it was and no temporary file left.
    bool write(std::string_view text, std::string& reason) const;

    // Renames the file to NAME.bad, replacing an older one, and returns the line for the player:
    // the path, why (e.g. "is damaged (line 3: ...)"), and where it went or why it could not move.
    std::string setAside(const std::string& why) const;

    // Test seam: called with the temporary file's path once it is written and synced, before the
    // rename; a test ends the process there to act out a kill. An empty hook removes it.
    static void setBeforeRename(std::function<void(const std::string&)> hook);

private:
    // A writer killed before its rename leaves NAME.tmp.PID behind; once that process is gone
    // the file is nobody's and would otherwise stay in the player's folder for good.
    void removeDeadTemporaries() const;

    std::string folder, name, path;
};
