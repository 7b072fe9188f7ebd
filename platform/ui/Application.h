#pragma once
// Application-wide helpers: start-up attributes, letting pending events run, tick count.

#include <cstdint>

class QString;

namespace plat {

// Must run before the application object is created: pointer input is delivered event by
// event, never merged (Qt would otherwise compress high-frequency mouse and tablet moves).
void InitApplicationAttributes();

// Sets the application's display title (task bar, dialogs).
void SetApplicationTitle(const QString& title);

// Processes the events that are waiting, then returns.
void ProcessMessages();

// Milliseconds since an arbitrary fixed point (system start on most systems), wrapping
// around at 2^32 like the tick count programs compare with unsigned differences.
uint32_t TickCount();

} // namespace plat
