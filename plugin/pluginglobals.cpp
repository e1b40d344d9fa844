#include "pluginglobals.h"

namespace kalmeno {

std::atomic<bool> released{false};
MainWindowHandle mainWindow;

} // namespace kalmeno
