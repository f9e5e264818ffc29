// Reading and writing settings.toml, one key at a time so one mistake costs one setting.
#include "campaign/cSettings.h"

#include "campaign/keptLoad.h"
#include "campaign/keptToml.h"

namespace {

// A word in double quotes, built by appending: GCC 12's optimiser warns falsely about a
// literal followed by operator+ on a temporary string.
std::string quoted(std::string_view word) {
    std::string text = "\"";
    text.append(word).append("\"");
    return text;
}

struct sFlag {
    const char* key;
    bool cSettings::*member;
};

constexpr sFlag kFlags[] = {
    {"mute", &cSettings::mute},
    {"fullscreen", &cSettings::fullscreen},
    {"mouse_lock", &cSettings::mouseLock},
    {"fps_counter", &cSettings::fpsCounter},
    {"minimap", &cSettings::minimap},
    {"colour_blind", &cSettings::colourBlind},
};

const char* cameraName(cSettings::eCamera camera) {
    return camera == cSettings::eCamera::classic ? "classic" : "follow";
}

const char* word(bool value) { return value ? "true" : "false"; }

// Each reader leaves the default in place and warns when the value does not fit.
class cKeyReader {
public:
    cKeyReader(const std::string& key, const toml::node& node, std::vector<std::string>& warnings)
        : key(key), node(node), warnings(warnings) {}

    void flag(bool& into) {
        if (const auto value = node.value_exact<bool>())
            into = *value;
        else
            warn("is not true or false", word(into));
    }

    void volume(int& into) {
        const auto value = node.value_exact<int64_t>();
        if (value && *value >= 0 && *value <= 100)
            into = static_cast<int>(*value);
        else
            warn("is not a whole number from 0 to 100", std::to_string(into));
    }

    void difficulty(eDifficulty& into) {
        const auto value = node.value_exact<std::string>();
        const auto found = value ? difficultyFromName(*value) : std::nullopt;
        if (found)
            into = *found;
        else
            warn("is not \"recruit\", \"regular\" or \"veteran\"", quoted(difficultyName(into)));
    }

    void camera(cSettings::eCamera& into) {
        const auto value = node.value_exact<std::string>();
        if (value == "follow" || value == "classic")
            into = *value == "classic" ? cSettings::eCamera::classic : cSettings::eCamera::follow;
        else
            warn("is not \"follow\" or \"classic\"", std::string("\"") + cameraName(into) + "\"");
    }

private:
    void warn(const std::string& problem, const std::string& fallback) {
        warnings.push_back(std::string(cSettings::kFileName) + ": " + key + " = " + shownValue(node) + " " +
                           problem + "; using " + fallback);
    }

    const std::string& key;
    const toml::node& node;
    std::vector<std::string>& warnings;
};

}  // namespace

sKeptLoad cSettings::load(const std::string& folder) { return loadKeptFile(*this, folder); }

bool cSettings::save(const std::string& folder, std::string& reason) const { return saveKeptFile(*this, folder, reason); }

bool cSettings::fromText(std::string_view text, std::vector<std::string>& warnings, std::string& why) {
    const std::optional<toml::table> table = parseKept(text, why);
    if (!table) return false;
    *this = cSettings{};
    warnUnknownKeys(*table,
                    {"format", "difficulty", "volume", "camera", "mute", "fullscreen", "mouse_lock", "fps_counter",
                     "minimap", "colour_blind"},
                    kFileName, warnings);
    for (auto&& [tomlKey, node] : *table) {
        const std::string key(tomlKey.str());
        cKeyReader reader(key, node, warnings);
        if (key == "difficulty") {
            reader.difficulty(difficulty);
        } else if (key == "volume") {
            reader.volume(volume);
        } else if (key == "camera") {
            reader.camera(camera);
        } else {
            for (const sFlag& flag : kFlags)
                if (key == flag.key) reader.flag(this->*flag.member);
        }
    }
    return true;
}

std::string cSettings::toText() const {
    std::string text =
        "# Orbix-TAL campaign settings. Edit them while the game is closed: it writes this file when\n"
        "# a setting changes. A wrong value falls back to its default with a warning.\n"
        "format = 1\n\n"
        "# recruit, regular or veteran\n"
        "difficulty = \"" + std::string(difficultyName(difficulty)) + "\"\n"
        "# sound volume in percent, 0 to 100\n"
        "volume = " + std::to_string(volume) + "\n"
        "mute = " + word(mute) + "\n"
        "# full screen at start\n"
        "fullscreen = " + word(fullscreen) + "\n"
        "mouse_lock = " + word(mouseLock) + "\n"
        "fps_counter = " + word(fpsCounter) + "\n"
        "# the minimap shown when a level starts\n"
        "minimap = " + word(minimap) + "\n"
        "# follow (the camera follows the squad) or classic (it glides to each order)\n"
        "camera = \"" + cameraName(camera) + "\"\n"
        "# marks a red-green colour-blind player can tell apart\n"
        "colour_blind = " + word(colourBlind) + "\n";
    return text;
}
