// The campaign's three kept files together, as the game uses them: loaded at start, written
// when they change, and every problem turned into lines for the window and standard error.
#pragma once

#include "campaign/cProgress.h"
#include "campaign/cScores.h"
#include "campaign/cSettings.h"

#include <string>
#include <vector>

class cCampaignStore {
public:
    // configFolder keeps settings.toml, dataFolder progress.toml and scores.toml; the game
    // passes keptConfigFolder() and keptDataFolder(). An empty folder means no home: the game
    // plays and cannot save.
    cCampaignStore(std::string configFolder, std::string dataFolder);

    // Loads all three files. One that was missing or set aside is written at once with its
    // defaults, so after the first start the player finds every file to read and edit.
    void load();

    // Write one file whole after its values changed; false when it could not be saved.
    bool saveSettings();
    bool saveProgress();
    bool saveScores();

    cSettings& getSettings() { return settings; }
    cProgress& getProgress() { return progress; }
    cScores& getScores() { return scores; }

    // The lines for the player gathered since the last call: files set aside, keys reset, and
    // the first failure to save. Later failures add nothing: a home folder that cannot be
    // written would otherwise repeat the same line at every win.
    std::vector<std::string> takeMessages();

private:
    bool saved(bool ok, const std::string& reason);
    void loaded(const sKeptLoad& load, bool written, const std::string& reason);

    std::string configFolder, dataFolder;
    cSettings settings;
    cProgress progress;
    cScores scores;
    std::vector<std::string> messages;
    bool saidCannotSave = false;
};
