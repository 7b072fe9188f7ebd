#pragma once
// The command set of the main window as a table: one row per action with its name,
// caption, hint, tag, picture, shortcut and handlers. TCommands builds its action list
// from it; the consistency test walks it.

#include <cstdint>
#include <span>

class TCommands;

namespace plat {
class TAction;
}

// An execute or update handler; both take the sender.
using TCommandHandler = void (TCommands::*)(plat::TAction& sender);

struct TCommandRow {
    const char* name;     // "Act..."
    const char* caption;  // UTF-8; "" for none
    const char* hint;     // UTF-8; "" for none
    int32_t tag;          // the member of a family the handler acts on
    int32_t image;        // slot of ImageList1, -1 for none
    const char* shortCut; // portable key text such as "Ctrl+S"; "" for none
    TCommandHandler execute;
    TCommandHandler update; // nullptr: no update handler
};

std::span<const TCommandRow> CommandTable();
