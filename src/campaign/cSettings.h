// The player's settings for campaign mode, kept in settings.toml in the config folder.
#pragma once

#include "level/difficulty.h"
#include "campaign/keptLoad.h"

#include <string>
#include <string_view>
#include <vector>

class cSettings {
public:
    static constexpr const char* kFileName = "settings.toml";

    // follow: the camera follows the squad; classic: it glides to each order.
    enum class eCamera { follow, classic };

    eDifficulty difficulty = eDifficulty::regular;
    int volume = 80;  // percent, 0 to 100
    bool mute = false;
    bool fullscreen = false;
    bool mouseLock = false;
    bool fpsCounter = true;
    bool minimap = false;  // shown when a level starts
    eCamera camera = eCamera::follow;
    bool colourBlind = false;  // marks a red-green colour-blind player can tell apart

    // Replaces every value with folder/settings.toml's; what a file lacks, or holds wrongly,
    // is the default. An unparsable file is set aside and the defaults used.
    sKeptLoad load(const std::string& folder);
    // Writes folder/settings.toml whole (see cKeptFile::write); false with the reason.
    bool save(const std::string& folder, std::string& reason) const;

    // The file's text to values: a wrong key takes its default with a warning; false, with
    // why and the values untouched, only when the text is not a kept TOML file at all.
    bool fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why);
    // The file's text, with a comment on each choice for a player who edits it.
    std::string toText() const;

    bool operator==(const cSettings&) const = default;
};
