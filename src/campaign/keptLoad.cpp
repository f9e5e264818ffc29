// Reading a kept file and setting it aside when it is damaged.
#include "campaign/keptLoad.h"

#include "platform/cKeptFile.h"

sKeptLoad loadKept(const std::string& folder, const std::string& name,
                   const std::function<bool(std::string_view, std::vector<std::string>&, std::string&)>& parse) {
    sKeptLoad result;
    const cKeptFile file(folder, name);
    std::string text, why;
    switch (file.read(text, why)) {
        case cKeptFile::missing:
            result.fresh = true;
            return result;
        case cKeptFile::unreadable:
            break;
        case cKeptFile::present:
            if (parse(text, result.warnings, why)) return result;
            why = "is damaged (" + why + ")";
            result.warnings.clear();
            break;
    }
    result.setAside = file.setAside(why);
    result.fresh = true;
    return result;
}

bool saveKeptText(const std::string& folder, const std::string& name, const std::string& text, std::string& reason) {
    return cKeptFile(folder, name).write(text, reason);
}
