// Console costs: writing answers into the ring, typing and parsing a line, drawing a full open console.
#include <string>

#include "benchSupport.h"
#include "ui/cConsole.h"

namespace {

struct QuietOwner : iConsole {
    void consoleCmd() override {}
};

void BM_ConsoleWriteLine(benchmark::State& state) {
    cConsole con(nullptr, 800, 600);
    for (auto _ : state) con.write("\n ! Unknown command \"abcdefghijklmnopqrs 012345678 b c d\".");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConsoleWriteLine);

void BM_ConsoleTypeAndParse(benchmark::State& state) {
    QuietOwner owner;
    cConsole con(&owner, 800, 600);
    const std::string line = "shadeModel SMOOTH and some more words";
    for (auto _ : state) {
        for (char c : line) con.parseKey((unsigned char)c);
        con.parseKey(13);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConsoleTypeAndParse);

// An 800 x 600 window of our own, as the game has.
bool consoleWindow() {
    static int window = 0;
    if (window != 0) {
        glutSetWindow(window);
        return true;
    }
    window = openBenchWindow(800, 600, "orbix-bench console");
    return window != 0;
}

// Rows of text of the given length (0 to 66 glyphs) in every output line and the command line.
void BM_ConsoleDraw(benchmark::State& state) {
    if (!drawable(state, consoleWindow())) return;
    glViewport(0, 0, 800, 600);
    cConsole con(nullptr, 800, 600);
    con.render();
    const int glyphs = int(state.range(0));
    for (int i = 0; i < 24; ++i) con.write(std::string("\n").append(glyphs, char('A' + i)).c_str());
    for (int i = 0; i < glyphs; ++i) con.parseKey('x');
    con.show();
    con.update(10000);
    for (auto _ : state) {
        con.render();
        glFinish();
    }
}
BENCHMARK(BM_ConsoleDraw)->Arg(0)->Arg(20)->Arg(66)->Unit(benchmark::kMicrosecond);

}  // namespace
