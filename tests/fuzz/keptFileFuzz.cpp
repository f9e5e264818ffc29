// libFuzzer target: any bytes as a kept file; what a reader accepts writes back to the same values.
#include "campaign/cProgress.h"
#include "campaign/cScores.h"
#include "campaign/cSettings.h"
#include "fuzzSupport.h"

#include <string_view>

namespace {

template <class T>
void readAndRewrite(std::string_view text) {
    T values;
    std::vector<std::string> warnings;
    std::string why;
    if (!values.fromText(text, warnings, why)) {
        FUZZ_CHECK(!why.empty());
        return;
    }
    for (const std::string& warning : warnings) FUZZ_CHECK(warning.size() < 400);
    T again;
    warnings.clear();
    FUZZ_CHECK(again.fromText(values.toText(), warnings, why));
    FUZZ_CHECK(warnings.empty());
    FUZZ_CHECK(again == values);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    readAndRewrite<cSettings>(text);
    readAndRewrite<cProgress>(text);
    readAndRewrite<cScores>(text);
    return 0;
}
