// Loading and saving the campaign's files, and telling the player once when saving fails.
#include "campaign/cCampaignStore.h"

#include <utility>

cCampaignStore::cCampaignStore(std::string configFolder_, std::string dataFolder_)
    : configFolder(std::move(configFolder_)), dataFolder(std::move(dataFolder_)) {}

void cCampaignStore::load() {
    std::string reason;
    sKeptLoad result = settings.load(configFolder);
    loaded(result, !result.fresh || settings.save(configFolder, reason), reason);
    result = progress.load(dataFolder);
    loaded(result, !result.fresh || progress.save(dataFolder, reason), reason);
    result = scores.load(dataFolder);
    loaded(result, !result.fresh || scores.save(dataFolder, reason), reason);
}

bool cCampaignStore::saveSettings() {
    std::string reason;
    return saved(settings.save(configFolder, reason), reason);
}

bool cCampaignStore::saveProgress() {
    std::string reason;
    return saved(progress.save(dataFolder, reason), reason);
}

bool cCampaignStore::saveScores() {
    std::string reason;
    return saved(scores.save(dataFolder, reason), reason);
}

std::vector<std::string> cCampaignStore::takeMessages() { return std::exchange(messages, {}); }

bool cCampaignStore::saved(bool ok, const std::string& reason) {
    if (!ok && !saidCannotSave) {
        messages.push_back("The game cannot save (" + reason +
                           "); it plays on without keeping settings, progress or scores.");
        saidCannotSave = true;
    }
    return ok;
}

void cCampaignStore::loaded(const sKeptLoad& load, bool written, const std::string& reason) {
    if (!load.setAside.empty()) messages.push_back(load.setAside);
    messages.insert(messages.end(), load.warnings.begin(), load.warnings.end());
    saved(written, reason);
}
