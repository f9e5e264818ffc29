// Owner side of the console: told after every line entered at the prompt.
#pragma once

class iConsole {
public:
    virtual ~iConsole() = default;
    // The command line is already cleared; the owner reads the words back with
    // cConsole::getCmd / getParam / getParamCount and answers with cConsole::write.
    virtual void consoleCmd() = 0;
};
