#pragma once

// The wait cursor over the program's windows while the user interface thread is held up.
namespace WaitCursor {

// Shows the wait cursor at once; it goes when control is back in the event loop.
void showUntilIdle();

} // namespace WaitCursor
