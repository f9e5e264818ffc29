// Node scanning, number and string reading, and object bounds of the ASE tokenizer.
#include "assets/cASELoader.h"
#include "assets/fileAlloc.h"

#include <sys/stat.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct sNodeName {
    std::string_view word;
    int id;
};

// The most frequent nodes come first: most lookups end within the first few entries.
constexpr sNodeName nodeTable[] = {
    {"MESH_VERTEX", cASELoader::MESH_VERTEX},
    {"MESH_VERTEXNORMAL", cASELoader::MESH_VERTEXNORMAL},
    {"MESH_FACE", cASELoader::MESH_FACE},
    {"MESH_TFACE", cASELoader::MESH_TFACE},
    {"MESH_TVERT", cASELoader::MESH_TVERT},
    {"MESH_FACENORMAL", cASELoader::MESH_FACENORMAL},
    {"MESH_NORMALS", cASELoader::MESH_NORMALS},
    {"CONTROL_POS_SAMPLE", cASELoader::CONTROL_POS_SAMPLE},
    {"CONTROL_ROT_SAMPLE", cASELoader::CONTROL_ROT_SAMPLE},
    {"GEOMOBJECT", cASELoader::GEOMOBJECT},
    {"3DSMAX_ASCIIEXPORT", cASELoader::ASCIIEXPORT},
    {"NODE_NAME", cASELoader::NODE_NAME},
    {"MESH", cASELoader::MESH},
    {"MESH_NUMVERTEX", cASELoader::MESH_NUMVERTEX},
    {"MESH_NUMFACES", cASELoader::MESH_NUMFACES},
    {"MESH_VERTEX_LIST", cASELoader::MESH_VERTEX_LIST},
    {"MESH_FACE_LIST", cASELoader::MESH_FACE_LIST},
    {"TM_POS", cASELoader::TM_POS},
    {"MESH_NUMTVERTEX", cASELoader::MESH_NUMTVERTEX},
    {"MESH_TVERTLIST", cASELoader::MESH_TVERTLIST},
    {"MESH_TFACELIST", cASELoader::MESH_TFACELIST},
    {"TM_ANIMATION", cASELoader::TM_ANIMATION},
    {"CONTROL_POS_TRACK", cASELoader::CONTROL_POS_TRACK},
    {"CONTROL_ROT_TRACK", cASELoader::CONTROL_ROT_TRACK},
    {"SCENE", cASELoader::SCENE},
    {"SCENE_FIRSTFRAME", cASELoader::SCENE_FIRSTFRAME},
    {"SCENE_LASTFRAME", cASELoader::SCENE_LASTFRAME},
    {"SCENE_TICKSPERFRAME", cASELoader::SCENE_TICKSPERFRAME},
    {"TM_ROW0", cASELoader::TM_ROW0},
    {"TM_ROW1", cASELoader::TM_ROW1},
    {"TM_ROW2", cASELoader::TM_ROW2},
    {"TM_ROW3", cASELoader::TM_ROW3},
    {"TM_ROTAXIS", cASELoader::TM_ROTAXIS},
    {"TM_ROTANGLE", cASELoader::TM_ROTANGLE},
};

// Node names by length, so that a look-up compares only the few names as long as the word.
constexpr size_t longestNodeName = 19;

struct sNodeIndex {
    unsigned char first[longestNodeName + 2] = {};
    constexpr sNodeIndex()
    {
        constexpr size_t count = sizeof nodeTable / sizeof nodeTable[0];
        // Sorted stably by length: within a length the frequent names stay first.
        size_t at = 0;
        for (size_t len = 0; len <= longestNodeName; ++len) {
            first[len] = static_cast<unsigned char>(at);
            for (size_t i = 0; i < count; ++i)
                if (nodeTable[i].word.size() == len)
                    order[at++] = static_cast<unsigned char>(i);
        }
        first[longestNodeName + 1] = static_cast<unsigned char>(at);
    }
    unsigned char order[sizeof nodeTable / sizeof nodeTable[0]] = {};
};

constexpr sNodeIndex nodeIndex;

const sNodeName* lookUp(std::string_view word)
{
    if (word.size() > longestNodeName)
        return nullptr;
    for (size_t k = nodeIndex.first[word.size()]; k < nodeIndex.first[word.size() + 1]; ++k) {
        const sNodeName& n = nodeTable[nodeIndex.order[k]];
        if (n.word == word)
            return &n;
    }
    return nullptr;
}

std::string_view nodeWord(int id)
{
    for (const sNodeName& n : nodeTable)
        if (n.id == id)
            return n.word;
    return {};
}

// Carriage returns end a word too, so that files with DOS line ends read the same.
bool endsWord(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

// White space as a stream skips it before a number.
struct sSpaceTable {
    bool space[256] = {};
    constexpr sSpaceTable()
    {
        for (char c : {' ', '\t', '\n', '\r', '\v', '\f'})
            space[static_cast<unsigned char>(c)] = true;
    }
};

constexpr sSpaceTable spaces;

// Node words are short: compared eight bytes at a time without a library call.
bool sameBytes(const char* a, const char* b, size_t n)
{
    for (; n >= 8; a += 8, b += 8, n -= 8) {
        uint64_t x, y;
        std::memcpy(&x, a, 8);
        std::memcpy(&y, b, 8);
        if (x != y)
            return false;
    }
    for (; n > 0; ++a, ++b, --n)
        if (*a != *b)
            return false;
    return true;
}

// A small set of characters, and the search for the first of them.
template <char... C>
struct sCharSet {
    static constexpr bool has(char c) { return ((c == C) || ...); }

    // First byte from p on that is in the set, or end.
    static const char* find(const char* p, const char* end)
    {
#ifdef __SSE2__
        // Sixteen bytes at a time: node words are far apart compared to the numbers between them.
        while (end - p >= 16) {
            const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            __m128i hit = _mm_setzero_si128();
            ((hit = _mm_or_si128(hit, _mm_cmpeq_epi8(block, _mm_set1_epi8(C)))), ...);
            if (int mask = _mm_movemask_epi8(hit))
                return p + __builtin_ctz(static_cast<unsigned>(mask));
            p += 16;
        }
#endif
        while (p < end && !has(*p))
            ++p;
        return p;
    }
};

// What a scan between nodes stops at: structure and strings.
using sStops = sCharSet<'*', '{', '}', '"'>;
// A word ends at white space, or at a brace or quote that belongs to the structure behind it.
using sWordEnds = sCharSet<' ', '\n', '\t', '\r', '{', '}', '"'>;

// Numbers are read as a stream reads them: an optional sign, then digits (or a point
// for decimals); no "inf", "nan" or a second sign. Answers where from_chars is to start
// (it takes no plus sign), or null when no number starts at p.
const char* numberStart(const char* p, const char* end, bool decimals)
{
    const char* digits = p;
    if (p < end && *p == '+')
        digits = ++p;
    else if (p < end && *p == '-')
        digits = p + 1;
    if (digits < end && ((*digits >= '0' && *digits <= '9') || (decimals && *digits == '.')))
        return p;
    return nullptr;
}

// Most model numbers have a few digits and no exponent: their digits and power of ten are
// then exact floats, and one division rounds exactly as a full parse does. Answers the end
// of the number, or null when it does not fit and needs the full parse.
const char* quickFloat(const char* p, const char* end, float& v)
{
    static constexpr float tens[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    constexpr ptrdiff_t maxDecimals = 10;
    // More digits could wrap the sum below; such numbers take the full parse anyway.
    constexpr ptrdiff_t maxDigits = 18;
    constexpr uint64_t exactLimit = 1u << 24;
    auto isDigit = [](char c) { return static_cast<unsigned char>(c - '0') < 10; };
    bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    const char* first = p;
    uint64_t digits = 0;
    for (; p < end && isDigit(*p); ++p)
        digits = digits * 10 + static_cast<uint64_t>(*p - '0');
    ptrdiff_t count = p - first, decimals = 0;
    if (p < end && *p == '.') {
        const char* fraction = ++p;
        // Exporters mostly write four decimals: taken at once when that is all there is.
        if (end - p > 4 && isDigit(p[0]) && isDigit(p[1]) && isDigit(p[2]) && isDigit(p[3]) && !isDigit(p[4])) {
            digits = digits * 10000 + static_cast<uint64_t>((p[0] - '0') * 1000 + (p[1] - '0') * 100 +
                                                            (p[2] - '0') * 10 + (p[3] - '0'));
            p += 4;
        }
        for (; p < end && isDigit(*p); ++p)
            digits = digits * 10 + static_cast<uint64_t>(*p - '0');
        decimals = p - fraction;
    }
    count += decimals;
    if (count == 0 || count > maxDigits || digits > exactLimit || decimals > maxDecimals ||
        (p < end && (*p == 'e' || *p == 'E')))
        return nullptr;
    float f = static_cast<float>(digits) / tens[decimals];
    v = negative ? -f : f;
    return p;
}

// Indices and ticks have a few digits: up to nine cannot overflow and need no full parse.
bool quickInt(const char* p, const char* end, const char*& after, int& v)
{
    constexpr ptrdiff_t maxDigits = 9;
    bool negative = *p == '-';
    const char* first = negative ? p + 1 : p;
    const char* q = first;
    int value = 0;
    for (; q < end && static_cast<unsigned char>(*q - '0') < 10; ++q) {
        if (q - first == maxDigits)
            return false;
        value = value * 10 + (*q - '0');
    }
    after = q;
    v = negative ? -value : value;
    return true;
}

} // namespace

// The file's bytes, and for a kept file who it is and where its objects start.
struct cASELoader::sFileText {
    struct sObjectStart {
        size_t node;   // the asterisk of the node word
        size_t after;  // where reading goes on behind the word
        long depth;    // brace depth there
    };
    std::vector<char> bytes;
    std::vector<sObjectStart> objects;
    long endDepth = 0;
    bool indexed = false;
    std::string path;
    struct stat identity {};

    bool sameFile(const char* p, const struct stat& st) const
    {
        return path == p && identity.st_dev == st.st_dev && identity.st_ino == st.st_ino &&
               identity.st_size == st.st_size && identity.st_mtim.tv_sec == st.st_mtim.tv_sec &&
               identity.st_mtim.tv_nsec == st.st_mtim.tv_nsec && identity.st_ctim.tv_sec == st.st_ctim.tv_sec &&
               identity.st_ctim.tv_nsec == st.st_ctim.tv_nsec;
    }

    static std::mutex keptLock;
    static std::shared_ptr<const sFileText> kept;
};

std::mutex cASELoader::sFileText::keptLock;
std::shared_ptr<const cASELoader::sFileText> cASELoader::sFileText::kept;

namespace {

// Only files this small are kept; a bigger one is read afresh on each open.
constexpr off_t maxKeptSize = 32 << 20;

// File times are only as fine as the kernel's clock tick, so a file rewritten within one tick
// at the same size looks unchanged. A file is kept only once it has been left alone this long.
constexpr long settledSeconds = 2;

bool settled(const struct stat& st)
{
    timespec now{};
    if (clock_gettime(CLOCK_REALTIME, &now) != 0)
        return false;
    time_t changed = std::max(st.st_mtim.tv_sec, st.st_ctim.tv_sec);
    return now.tv_sec - changed > settledSeconds;
}

} // namespace

cASELoader::cASELoader(const char* path)
{
    openFile(path);
}

bool cASELoader::openFile(const char* path)
{
    dispose();
    if (!path)
        return false;
    struct stat st {};
    // The kept file, while it is still the one at path, needs no opening at all.
    if (stat(path, &st) == 0 && S_ISREG(st.st_mode)) {
        std::lock_guard<std::mutex> lock(sFileText::keptLock);
        if (sFileText::kept && sFileText::kept->sameFile(path, st))
            file = sFileText::kept;
    }
    if (!file) {
        std::FILE* f = std::fopen(path, "rb");
        if (!f)
            return false;
        // Only regular files: a directory or a pipe is no model and could block or never end.
        bool ok = fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= maxFileSize;
        if (ok) {
            auto text = std::make_shared<sFileText>();
            ok = fileAlloc::assign(text->bytes, static_cast<size_t>(st.st_size), '\0');
            size_t got = ok ? std::fread(text->bytes.data(), 1, text->bytes.size(), f) : 0;
            // A file that shrank meanwhile is read as it is now.
            ok = ok && !std::ferror(f);
            text->bytes.resize(got);
            if (ok && st.st_size <= maxKeptSize && settled(st)) {
                text->path = path;
                text->identity = st;
                indexObjects(*text);
                std::lock_guard<std::mutex> lock(sFileText::keptLock);
                sFileText::kept = text;
            }
            file = std::move(text);
        }
        std::fclose(f);
        if (!ok) {
            dispose();
            return false;
        }
    }
    start = file->bytes.data();
    end = start + file->bytes.size();
    loaded = true;
    return rewind();
}

void cASELoader::indexObjects(sFileText& text)
{
    start = cur = text.bytes.data();
    end = start + text.bytes.size();
    failed = false;
    depth = 0;
    const std::string_view word = nodeWord(GEOMOBJECT);
    while (scanNode(&word, GEOMOBJECT) == GEOMOBJECT)
        text.objects.push_back({static_cast<size_t>(nodeStart - start), static_cast<size_t>(cur - start), depth});
    text.endDepth = depth;
    text.indexed = true;
}

bool cASELoader::jumpToObject()
{
    const auto& objects = file->objects;
    size_t at = static_cast<size_t>(cur - start);
    auto next = std::lower_bound(objects.begin(), objects.end(), at,
                                 [](const sFileText::sObjectStart& o, size_t a) { return o.node < a; });
    if (next == objects.end()) {
        cur = end;
        depth = file->endDepth;
        failed = true;
        return false;
    }
    nodeStart = start + next->node;
    cur = start + next->after;
    depth = next->depth;
    return true;
}

void cASELoader::forgetKeptFile()
{
    std::lock_guard<std::mutex> lock(sFileText::keptLock);
    sFileText::kept.reset();
}

void cASELoader::dispose()
{
    file.reset();
    start = nodeStart = cur = end = nullptr;
    loaded = false;
    failed = true;
    depth = boundDepth = 0;
    bounded = objectEnded = false;
}

bool cASELoader::rawChar(char& c)
{
    if (failed || cur == end) {
        failed = true;
        return false;
    }
    c = *cur++;
    return true;
}

void cASELoader::countBrace(char c)
{
    if (c == '{') {
        ++depth;
    } else if (c == '}') {
        --depth;
        if (bounded && depth <= boundDepth)
            objectEnded = true;
    }
}

bool cASELoader::nextChar(char& c)
{
    if (!rawChar(c))
        return false;
    countBrace(c);
    return true;
}

void cASELoader::skipString()
{
    const char* p = cur;
    while (p < end && *p != '"' && *p != '\n')
        ++p;
    if (p == end)
        failed = true;
    else
        ++p;
    cur = p;
}

bool cASELoader::skipSpace()
{
    if (failed)
        return false;
    while (cur < end && spaces.space[static_cast<unsigned char>(*cur)])
        ++cur;
    if (cur == end)
        failed = true;
    return !failed;
}

int cASELoader::scanNode(const std::string_view* only, int onlyId)
{
    if (failed)
        return endOfFile;
    const char* p = cur;
    for (;;) {
        if (objectEnded) {
            cur = p;
            return endOfObject;
        }
        p = sStops::find(p, end);
        if (p == end) {
            cur = p;
            failed = true;
            return endOfFile;
        }
        char c = *p++;
        if (c == '"') {
            cur = p;
            skipString();
            if (failed)
                return endOfFile;
            p = cur;
            continue;
        }
        if (c != '*') {
            countBrace(c);
            continue;
        }
        nodeStart = p - 1;
        // The node looked for, or else the last one found, is most often the next one: checked
        // in place it needs neither a search for the word's end nor a table look-up.
        const std::string_view guess = only ? *only : lastWord;
        size_t n = guess.size();
        if (n > 0 && static_cast<size_t>(end - p) > n && sameBytes(p, guess.data(), n) &&
            sWordEnds::has(p[n])) {
            p += n;
            if (endsWord(*p))
                ++p;
            cur = p;
            return only ? onlyId : lastId;
        }
        const char* word = p;
        p = sWordEnds::find(p, end);
        if (p == end) {
            cur = p;
            failed = true;
            return endOfFile;
        }
        std::string_view w(word, static_cast<size_t>(p - word));
        // White space behind a word is taken with it; a brace or quote is left to be read as structure.
        if (endsWord(*p))
            ++p;
        if (w.size() >= wordSize)
            continue;
        if (only)
            continue;
        if (const sNodeName* found = lookUp(w)) {
            lastWord = found->word;
            lastId = found->id;
            cur = p;
            return found->id;
        }
    }
}

int cASELoader::getNode()
{
    return scanNode(nullptr, 0);
}

bool cASELoader::searchNode(int id)
{
    std::string_view word = nodeWord(id);
    if (word.empty())
        return false;
    if (id == GEOMOBJECT && !bounded && !failed && file && file->indexed)
        return jumpToObject();
    return scanNode(&word, id) == id;
}

bool cASELoader::getInt(int& v)
{
    if (!skipSpace())
        return false;
    const char* p = numberStart(cur, end, false);
    std::from_chars_result r{};
    if (p && !quickInt(p, end, r.ptr, v))
        r = std::from_chars(p, end, v);
    if (!p || r.ec != std::errc()) {
        failed = true;
        return false;
    }
    cur = r.ptr;
    return true;
}

bool cASELoader::getFloat(float& v)
{
    if (!skipSpace())
        return false;
    const char* p = numberStart(cur, end, true);
    if (!p) {
        failed = true;
        return false;
    }
    if (const char* quickEnd = quickFloat(p, end, v)) {
        cur = quickEnd;
        return true;
    }
    std::from_chars_result r = std::from_chars(p, end, v);
    if (r.ec == std::errc::result_out_of_range) {
        // Too small to hold is read as the nearest float, as a stream does; too large fails.
        char number[64];
        size_t len = static_cast<size_t>(r.ptr - p);
        if (len < sizeof number) {
            std::memcpy(number, p, len);
            number[len] = 0;
            float tiny = std::strtof(number, nullptr);
            if (std::isfinite(tiny)) {
                v = tiny;
                r.ec = std::errc();
            }
        }
    }
    if (r.ec != std::errc()) {
        failed = true;
        return false;
    }
    cur = r.ptr;
    return true;
}

bool cASELoader::getString(char* out, size_t size)
{
    if (size == 0)
        return false;
    char c;
    do {
        if (!nextChar(c) || c == '\n' || objectEnded)
            return false;
    } while (c != '"');
    size_t len = 0;
    while (rawChar(c) && c != '"' && c != '\n') {
        if (len + 1 < size)
            out[len++] = c;
    }
    out[len] = 0;
    return !failed && c == '"';
}

bool cASELoader::getVertex(int id, float* v)
{
    int index;
    return searchNode(id) && getInt(index) && getFloat(v[0]) && getFloat(v[1]) && getFloat(v[2]);
}

bool cASELoader::get3vertex(int id, float* v)
{
    return searchNode(id) && getFloat(v[0]) && getFloat(v[1]) && getFloat(v[2]);
}

bool cASELoader::getPosition(float* v)
{
    return get3vertex(TM_POS, v);
}

bool cASELoader::getFaceInd(int& a, int& b, int& c)
{
    int number;
    if (!searchNode(MESH_FACE) || !getInt(number))
        return false;
    // 3ds Max writes "0:    A:    0 B: ..."; some exporters leave out the colon behind the number.
    if (!skipSpace())
        return false;
    if (*cur == ':')
        ++cur;
    int* corner[3] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
        char letter, colon;
        if (!skipSpace() || !rawChar(letter) || !skipSpace() || !rawChar(colon) || letter != "ABC"[k] ||
            colon != ':' || !getInt(*corner[k]))
            return false;
    }
    return true;
}

bool cASELoader::getFaceTInd(int& a, int& b, int& c)
{
    int number;
    return searchNode(MESH_TFACE) && getInt(number) && getInt(a) && getInt(b) && getInt(c);
}

bool cASELoader::getFaceVertexNormals(float* n)
{
    if (!searchNode(MESH_FACENORMAL))
        return false;
    for (int k = 0; k < 3; ++k)
        if (!getVertex(MESH_VERTEXNORMAL, n + 3 * k))
            return false;
    return true;
}

bool cASELoader::getTMatrix(float* m)
{
    for (int r = 0; r < 4; ++r)
        if (!get3vertex(TM_ROW0 + r, m + 4 * r))
            return false;
    m[3] = m[7] = m[11] = 0;
    m[12] = -m[12];
    m[13] = -m[13];
    m[14] = -m[14];
    m[15] = 1;
    return true;
}

bool cASELoader::rewind()
{
    cur = start;
    failed = !loaded;
    depth = boundDepth = 0;
    bounded = objectEnded = false;
    return opened();
}

bool cASELoader::findObject(const char* name)
{
    if (!name || !rewind())
        return false;
    // One more than the longest name compared, so that a cut string can never pass as equal.
    char found[wordSize + 1];
    for (;;) {
        endObject();
        if (!searchNode(GEOMOBJECT))
            return false;
        beginObject();
        if (searchNode(NODE_NAME) && getString(found, sizeof found) && std::strlen(found) < wordSize &&
            std::strcmp(found, name) == 0)
            return true;
        if (failed)
            return false;
    }
}

void cASELoader::beginObject()
{
    boundDepth = depth;
    bounded = true;
    objectEnded = false;
}

void cASELoader::endObject()
{
    bounded = false;
    objectEnded = false;
}

cASELoader::sMark cASELoader::mark()
{
    return sMark{static_cast<size_t>(cur - start), depth, boundDepth, bounded, objectEnded};
}

bool cASELoader::restore(const sMark& m)
{
    if (!loaded || m.pos > static_cast<size_t>(end - start)) {
        failed = true;
        return false;
    }
    cur = start + m.pos;
    failed = false;
    depth = m.depth;
    boundDepth = m.boundDepth;
    bounded = m.bounded;
    objectEnded = m.objectEnded;
    return opened();
}
