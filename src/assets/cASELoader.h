// Forward-only tokenizer over ASE (3ds Max ASCII scene export) text files.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// Finds known node words (an asterisk and a word) and reads the numbers, strings and
// little groups that follow them. It keeps count of braces, so that a search can be
// bounded to one object: between beginObject and endObject, reaching the brace that
// closes the object answers endOfObject instead of running into the next object.
// The whole file is read into memory at open: scanning a buffer is many times faster
// than pulling characters one by one through a stream. A model container opens one file
// once per object, so the last file that has not changed lately is kept, together with
// where its objects start, and opening it again costs neither the read nor the scan.
class cASELoader {
public:
    enum eNode {
        GEOMOBJECT = 0, ASCIIEXPORT = 1, NODE_NAME = 2, MESH = 3, MESH_NUMVERTEX = 4, MESH_NUMFACES = 5,
        MESH_VERTEX_LIST = 6, MESH_VERTEX = 7, MESH_FACE_LIST = 8, MESH_FACE = 9, MESH_NORMALS = 10,
        MESH_FACENORMAL = 11, MESH_VERTEXNORMAL = 12, TM_POS = 13, MESH_NUMTVERTEX = 14, MESH_TVERTLIST = 15,
        MESH_TVERT = 16, MESH_TFACELIST = 17, MESH_TFACE = 18, TM_ANIMATION = 19, CONTROL_POS_TRACK = 20,
        CONTROL_POS_SAMPLE = 21, CONTROL_ROT_TRACK = 22, CONTROL_ROT_SAMPLE = 23, SCENE = 24,
        SCENE_FIRSTFRAME = 25, SCENE_LASTFRAME = 26, SCENE_TICKSPERFRAME = 27, TM_ROW0 = 28, TM_ROW1 = 29,
        TM_ROW2 = 30, TM_ROW3 = 31, TM_ROTAXIS = 32, TM_ROTANGLE = 33,
        endOfFile = 100,
        endOfObject = 101,
    };

    // Longest node word and longest string findObject compares; longer ones never match.
    static constexpr size_t wordSize = 256;
    // No model comes near this; a bigger file is refused rather than read into memory.
    static constexpr long long maxFileSize = 256LL << 20;

    // Where reading stands: the file position with the brace count and object bound there.
    struct sMark {
        size_t pos = 0;
        long depth = 0;
        long boundDepth = 0;
        bool bounded = false;
        bool objectEnded = false;
    };

    cASELoader() = default;
    explicit cASELoader(const char* path);
    cASELoader(const cASELoader&) = delete;
    cASELoader& operator=(const cASELoader&) = delete;

    // False when the file is missing, unreadable or larger than maxFileSize.
    bool openFile(const char* path);
    // False once a read has failed or run past the end, until rewind or restore.
    bool opened() const { return !failed; }
    void dispose();
    // Size of the open file in bytes; counts read from it are bounded by what it can hold.
    long long fileSize() const { return end - start; }
    // Drops the kept file, so that its memory is given back.
    static void forgetKeptFile();

    // Id of the next known node; endOfFile at the end or on a read failure, endOfObject
    // (again on every call) once the current object's closing brace has passed.
    int getNode();
    // getNode until it answers id (true) or endOfFile/endOfObject (false).
    bool searchNode(int id);

    bool getInt(int& v);
    bool getFloat(float& v);
    // The next double-quoted string, without quotes, into out (size bytes with the zero).
    // False when the string does not close on its own line; a longer string is cut to fit.
    bool getString(char* out, size_t size);

    bool getVertex(int id, float* v);
    bool get3vertex(int id, float* v);
    bool getPosition(float* v);
    bool getFaceInd(int& a, int& b, int& c);
    bool getFaceTInd(int& a, int& b, int& c);
    bool getFaceVertexNormals(float* n);
    // Node matrix, column-major: the file's rows as columns, translation the negated TM_ROW3.
    bool getTMatrix(float* m);
    // Rewinds and finds the GEOMOBJECT whose NODE_NAME is name; reading is then bounded to it.
    bool findObject(const char* name);
    // Rewinds to the start of the file, clearing any failure and bound.
    bool rewind();

    // Bounds searches to the object whose GEOMOBJECT node was just read.
    void beginObject();
    void endObject();

    sMark mark();
    // Goes back to a mark taken earlier in this file.
    bool restore(const sMark& m);

private:
    struct sFileText;
    // Reads the next character; false at the end or on failure, which then fails reading.
    bool rawChar(char& c);
    // Reads the next character, keeping count of braces; false at the end or on failure.
    bool nextChar(char& c);
    void countBrace(char c);
    // Skips the rest of a double-quoted string, so braces and asterisks in it are not counted.
    void skipString();
    // Moves past white space; false (and failed) when the text ends first.
    bool skipSpace();
    // The next node word; with only set, any other word is passed over without a table look-up.
    int scanNode(const std::string_view* only, int onlyId);
    // Object starts are known for a kept file: a search for the next object goes straight there.
    bool jumpToObject();
    // Notes where every object starts, for keeping the file.
    void indexObjects(sFileText& text);

    std::shared_ptr<const sFileText> file;
    const char* start = nullptr;
    const char* nodeStart = nullptr;
    const char* cur = nullptr;
    const char* end = nullptr;
    // The node getNode found last, tried first next time.
    std::string_view lastWord;
    int lastId = -1;
    bool loaded = false;
    bool failed = true;
    long depth = 0;
    long boundDepth = 0;
    bool bounded = false;
    bool objectEnded = false;
};
