// Parsing kept TOML files and checking what they hold.
#include "campaign/keptToml.h"

#include <sstream>

std::optional<toml::table> parseKept(std::string_view text, std::string& why) {
    toml::table table;
    try {
        table = toml::parse(text);
    } catch (const toml::parse_error& e) {
        why = "line " + std::to_string(e.source().begin.line) + ": " + std::string(e.description());
        return std::nullopt;
    }
    const toml::node* format = table.get("format");
    if (format == nullptr) {
        why = "it has no format key";
        return std::nullopt;
    }
    const std::optional<int64_t> version = format->value_exact<int64_t>();
    if (version != kKeptFormat) {
        why = "format " + shownValue(*format) + " is not one this game reads";
        return std::nullopt;
    }
    return table;
}

std::string shownValue(const toml::node& node) {
    if (node.is_table()) return "a table";
    if (node.is_array()) return "a list";
    std::ostringstream out;
    node.visit([&out](const auto& value) { out << value; });
    std::string shown = out.str();
    if (shown.size() > 40) shown = shown.substr(0, 37) + "...";
    return shown;
}

void warnUnknownKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                     const std::string& where, std::vector<std::string>& warnings) {
    for (auto&& [key, node] : table) {
        bool found = false;
        for (std::string_view k : known) found = found || key.str() == k;
        if (!found) {
            toml::value<std::string> quoted(std::string(key.str()));
            warnings.push_back(where + ": unknown key " + shownValue(quoted) + " ignored");
        }
    }
}

bool isKeptMapName(std::string_view name) {
    if (name.empty() || name.size() > 255 || name == "." || name == "..") return false;
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7f || c == '/') return false;
        // Lead byte: how many continuation bytes follow, and the smallest code point allowed
        // for that length (longer forms are overlong and invalid).
        size_t more = 0;
        uint32_t least = 0;
        if (c >= 0xf0 && c <= 0xf4) {
            more = 3;
            least = 0x10000;
        } else if (c >= 0xe0 && c < 0xf0) {
            more = 2;
            least = 0x800;
        } else if (c >= 0xc2 && c < 0xe0) {
            more = 1;
            least = 0x80;
        } else if (c >= 0x80) {
            return false;
        }
        if (i + more >= name.size() && more > 0) return false;
        uint32_t code = more == 0 ? c : c & (0x3fu >> more);
        for (size_t k = 1; k <= more; k++) {
            const unsigned char next = static_cast<unsigned char>(name[i + k]);
            if ((next & 0xc0) != 0x80) return false;
            code = (code << 6) | (next & 0x3f);
        }
        if (code < least || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff) ||
            (code >= 0x80 && code < 0xa0))
            return false;
        i += more + 1;
    }
    return true;
}
