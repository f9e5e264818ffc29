// Node scanning, number and string reading, and object bounds of the ASE tokenizer.
#include "assets/cASELoader.h"

#include <cstring>
#include <string_view>

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

int lookUp(std::string_view word)
{
    for (const sNodeName& n : nodeTable)
        if (n.word == word)
            return n.id;
    return -1;
}

// Carriage returns end a word too, so that files with DOS line ends read the same.
bool endsWord(char c)
{
    return c == ' ' || c == '\n' || c == '\t' || c == '\r';
}

} // namespace

cASELoader::cASELoader(const char* path)
{
    openFile(path);
}

cASELoader::~cASELoader()
{
    dispose();
}

bool cASELoader::openFile(const char* path)
{
    if (is_open())
        close();
    clear();
    depth = boundDepth = 0;
    bounded = objectEnded = false;
    if (path)
        open(path);
    else
        setstate(std::ios::failbit);
    return opened();
}

void cASELoader::dispose()
{
    if (is_open())
        close();
}

long long cASELoader::fileSize()
{
    if (!is_open())
        return 0;
    std::filebuf* buf = rdbuf();
    std::streampos here = buf->pubseekoff(0, std::ios::cur, std::ios::in);
    std::streampos end = buf->pubseekoff(0, std::ios::end, std::ios::in);
    buf->pubseekpos(here, std::ios::in);
    return end < 0 ? 0 : static_cast<long long>(end);
}

bool cASELoader::rawChar(char& c)
{
    // Straight from the buffer: scanning is most of the loading time, and the stream's
    // per-character sentry costs more than the scan itself.
    if (fail())
        return false;
    int v = rdbuf()->sbumpc();
    if (v == std::char_traits<char>::eof()) {
        setstate(std::ios::eofbit | std::ios::failbit);
        return false;
    }
    c = static_cast<char>(v);
    return true;
}

bool cASELoader::nextChar(char& c)
{
    if (!rawChar(c))
        return false;
    if (c == '{') {
        ++depth;
    } else if (c == '}') {
        --depth;
        if (bounded && depth <= boundDepth)
            objectEnded = true;
    }
    return true;
}

void cASELoader::skipString()
{
    char c;
    while (rawChar(c) && c != '"' && c != '\n') {
    }
}

int cASELoader::getNode()
{
    char word[wordSize];
    for (;;) {
        if (objectEnded)
            return endOfObject;
        char c;
        if (!nextChar(c))
            return endOfFile;
        if (c == '"') {
            skipString();
            continue;
        }
        if (c != '*')
            continue;
        size_t len = 0;
        bool tooLong = false;
        while (rawChar(c) && !endsWord(c)) {
            if (c == '{' || c == '}' || c == '"') {
                // A brace or quote right behind a word belongs to the structure; read it as such.
                rdbuf()->sungetc();
                break;
            }
            if (len + 1 < wordSize)
                word[len++] = c;
            else
                tooLong = true;
        }
        if (fail())
            return endOfFile;
        if (tooLong)
            continue;
        int id = lookUp(std::string_view(word, len));
        if (id >= 0)
            return id;
    }
}

bool cASELoader::searchNode(int id)
{
    for (;;) {
        int node = getNode();
        if (node == id)
            return true;
        if (node == endOfFile || node == endOfObject)
            return false;
    }
}

bool cASELoader::getInt(int& v)
{
    return static_cast<bool>(*this >> v);
}

bool cASELoader::getFloat(float& v)
{
    return static_cast<bool>(*this >> v);
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
    return !fail() && c == '"';
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
    *this >> std::ws;
    char ch;
    if (peek() == ':')
        get(ch);
    int* corner[3] = {&a, &b, &c};
    for (int k = 0; k < 3; ++k) {
        char letter, colon;
        if (!(*this >> letter >> colon) || letter != "ABC"[k] || colon != ':' || !getInt(*corner[k]))
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
    clear();
    seekg(0);
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
        if (fail())
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
    return sMark{tellg(), depth, boundDepth, bounded, objectEnded};
}

bool cASELoader::restore(const sMark& m)
{
    clear();
    seekg(m.pos);
    depth = m.depth;
    boundDepth = m.boundDepth;
    bounded = m.bounded;
    objectEnded = m.objectEnded;
    return opened();
}
